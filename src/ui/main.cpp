// The game's program: the main window on the game's core.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/escaped_text.h"
#include "text/language.h"
#include "timing/time_control.h"
#include "ui/end_signals.h"
#include "ui/install_layout.h"
#include "ui/main_window.h"
#include "velmora_version.h"

namespace {

// A line of /proc/self/status in KiB ("VmHWM", "VmRSS"), or -1.
long statusKiB(const QByteArray& key) {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key + ":")) return line.mid(key.size() + 1).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Median of a few timings, in milliseconds.
double medianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Closes every message box as soon as it is shown, and says on stderr what it said.
class BoxAnswerer : public QObject {
public:
    int answered = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(object)) {
                ++answered;
                std::fprintf(stderr, "box: %s | %s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
                QTimer::singleShot(0, box, &QMessageBox::accept);
            }
        }
        return false;
    }
};

// An option of the game's own, with its value as the next argument or after
// "=" ("--lang en", "--lang=en"); no name: not one of the game's options.
constexpr const char* TIME_CONTROL = "--time-control";
constexpr const char* LANG = "--lang";
struct OptionValue {
    const char* name = nullptr;
    const char* value = nullptr;
    bool separate = false;  // the value is the next argument
};

OptionValue optionValue(int argc, char** argv, int k) {
    for (const char* name : {TIME_CONTROL, LANG}) {
        const size_t length = std::strlen(name);
        if (std::strcmp(argv[k], name) == 0) return {name, k + 1 < argc ? argv[k + 1] : nullptr, true};
        if (std::strncmp(argv[k], name, length) == 0 && argv[k][length] == '=') return {name, argv[k] + length + 1, false};
    }
    return {};
}

// The options QApplication documents and takes out of the command line
// itself, which the game leaves to it. Qt reads "--name" as "-name".
constexpr std::string_view QT_OPTIONS_WITH_VALUE[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "style", "stylesheet"};
constexpr std::string_view QT_FLAGS[] = {"reverse", "widgetcount", "nograb", "dograb"};
// Those that also take their value after "=" ("-style=fusion"), or only so.
constexpr std::string_view QT_OPTIONS_JOINED[] = {"style", "stylesheet", "qmljsdebugger"};

// How many arguments from argv[k] on are one of Qt's options: 1 or 2 (with
// its value); 0 when it is none; -1 when its value is missing.
int qtOptionLength(int argc, char** argv, int k) {
    std::string_view word = argv[k];
    if (word.starts_with("--")) {
        word.remove_prefix(2);
    } else if (word.starts_with("-")) {
        word.remove_prefix(1);
    } else {
        return 0;
    }
    const auto among = [](std::string_view name, const auto& names) {
        return std::find(std::begin(names), std::end(names), name) != std::end(names);
    };
    if (among(word, QT_FLAGS)) return 1;
    if (among(word, QT_OPTIONS_WITH_VALUE)) return k + 1 < argc ? 2 : -1;
    const size_t equals = word.find('=');
    if (equals != std::string_view::npos && among(word.substr(0, equals), QT_OPTIONS_JOINED)) return 1;
    return 0;
}

// A bad command line: one line on stderr, every byte of the arguments it
// quotes printable, and status 2.
int refuse(const std::string& message) {
    const std::string line = "velmora: " + velmora::escapeForMessage(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    // Answered without a window, so they work on any terminal.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("velmora %s\n", VELMORA_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf("usage: velmora [--version | --help] [--time-control MIN+INC] [--lang ja|en]\n"
                    "A chess game on two boards at once, against the computer or another person.\n"
                    "--time-control MIN+INC  play this run's games on clocks: MIN minutes each\n"
                    "                        (more than 0, at most 180), INC seconds added after\n"
                    "                        each move (0 to 60); decimals allowed, e.g. 0.5+2\n"
                    "--lang ja|en            play in Japanese or English; without it the locale\n"
                    "                        decides (Japanese, C or POSIX: Japanese; others: English)\n"
                    "Settings are kept in Velmora.ini: in the folder the game starts in when it is run\n"
                    "from its own folder, else in $XDG_CONFIG_HOME/velmora (~/.config/velmora).\n"
                    "Qt's own options (-platform, -style, -display, -geometry, ...) are passed to Qt;\n"
                    "any other option is refused.\n");
        return 0;
    }
    // The options that start the game: checked before any window opens.
    std::optional<velmora::TimeControl> timeControl;
    std::optional<velmora::Language> language;
    for (int k = 1; k < argc; ++k) {
        const OptionValue option = optionValue(argc, argv, k);
        if (!option.name) {
            const std::string_view word = argv[k];
            const int qtLength = qtOptionLength(argc, argv, k);
            if (qtLength < 0) return refuse(std::string(word) + " needs a value");
            if (qtLength > 0) {  // Qt's own: QApplication reads it
                k += qtLength - 1;
                continue;
            }
            if (word == "--help" || word == "--version") return refuse(std::string(word) + " goes alone");
            if (word.starts_with("-")) return refuse("unknown option '" + std::string(word) + "'; velmora --help lists the options");
            return refuse("unexpected argument '" + std::string(word) + "'; velmora takes options only (velmora --help)");
        }
        if (!option.value) {
            return refuse(std::string(option.name) + " needs a value, " +
                          (option.name == TIME_CONTROL ? "MIN+INC, e.g. 5+0" : "ja or en"));
        }
        if (option.name == TIME_CONTROL) {
            timeControl = velmora::parseTimeControl(option.value);
            if (!timeControl) {
                return refuse(std::string("bad --time-control '") + option.value +
                              "': give MIN+INC, minutes above 0 and at most 180, seconds 0 to 60 (e.g. 5+0 or 0.5+2)");
            }
        } else {
            language = velmora::languageNamed(option.value);
            if (!language) return refuse(std::string("bad --lang '") + option.value + "': give ja (Japanese) or en (English)");
        }
        if (option.separate) ++k;
    }
    if (!language) {
        language = velmora::systemLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    }
    QApplication app(argc, argv);
    const auto layout = velmora::ui::InstallLayout::detect(QCoreApplication::applicationDirPath());
    // The catalogue is installed beside the help page, and in the build tree
    // stands beside the program.
    if (!velmora::ui::loadCatalogue(*language, {layout.dataDirectory, QCoreApplication::applicationDirPath()})) {
        std::fprintf(stderr, "velmora: no translation %s.qm is installed; playing in Japanese\n",
                     velmora::catalogueNameOf(*language).c_str());
        language = velmora::Language::Japanese;
    }
    velmora::ui::MainWindow window(*language);
    window.useLayout(layout);
    if (timeControl) window.game().options.timeControl = *timeControl;
    // For measuring: report the time to the first complete frame and the
    // resident memory then, and end.
    if (qEnvironmentVariableIsSet("VELMORA_MEASURE_STARTUP")) {
        // A machine without audio output shows the sound warning at start-up;
        // the measurement answers it at once, and says how long it stood.
        static BoxAnswerer answerer;
        app.installEventFilter(&answerer);
        QObject::connect(&window.canvas(), &velmora::ui::CanvasWidget::firstFramePainted, &app, [&] {
            // The moment of the first complete frame on the wall clock, for a
            // harness that started the clock before the process.
            const long long epochNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                          std::chrono::system_clock::now().time_since_epoch())
                                          .count();
            const long long firstFrame = sinceStart.elapsed();
            const long hwm = statusKiB("VmHWM");
            // The rest after the paint that reported the frame has ended.
            QTimer::singleShot(0, &app, [&, epochNs, firstFrame, hwm] {
            // A full repaint at twice the natural size: the whole window drawn
            // into the back buffer and shown.
            auto& canvas = window.canvas();
            window.resize(window.size() - canvas.size() + QSize(2 * 860, 2 * 446));
            // Measured once the event loop has laid the window out at that size.
            QTimer::singleShot(0, &app, [&, epochNs, firstFrame, hwm] {
            canvas.refresh();
            std::vector<double> repaints, resizes;
            for (int i = 0; i < 20; ++i) {
                QElapsedTimer t;
                t.start();
                window.game().presentation().画面_再描画();
                canvas.refresh();
                repaints.push_back(t.nsecsElapsed() / 1e6);
            }
            // Resize steps as a drag makes them: each drawn again and shown.
            for (int i = 0; i < 20; ++i) {
                window.resize(window.size() - QSize(7, 4));
                QElapsedTimer t;
                t.start();
                canvas.renderAll();
                canvas.repaint();
                resizes.push_back(t.nsecsElapsed() / 1e6);
            }
            const auto& sounds = window.game().sounds;
            int soundsLoaded = 0;
            for (auto handle : {sounds.otherSound, sounds.forbiddenSound, sounds.pieceSound, sounds.bgmSound})
                soundsLoaded += handle != 0;
            std::printf("first_frame_epoch_ns=%lld first_frame_in_main_ms=%lld vmhwm_kib=%ld repaint2x_ms=%.2f "
                        "resize_step_ms=%.2f resize_step_max_ms=%.2f scale=%.2f boxes_answered=%d sounds_loaded=%d\n",
                        epochNs, firstFrame, hwm, medianMs(repaints), medianMs(resizes),
                        *std::max_element(resizes.begin(), resizes.end()), canvas.transform().scale(),
                        answerer.answered, soundsLoaded);
            std::fflush(stdout);
            std::_Exit(0);
            });
            });
        });
    }
    // A signal to end goes the way closing the window goes.
    velmora::ui::EndSignals endSignals;
    QObject::connect(&endSignals, &velmora::ui::EndSignals::received, &window, &velmora::ui::MainWindow::requestEnd);
    window.start();
    return app.exec();
}
