#include "ui/record_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QKeyEvent>
#include <algorithm>
#include <filesystem>

#include "ports/dialogs_port.h"
#include "ui/qt_translation.h"

namespace velmora::ui {
namespace {

QRect twips(int left, int top, int width, int height) { return {left, top, width, height}; }

// A control's place in twips, kept for scaling.
const char* const TWIPS_PROPERTY = "velmoraTwips";

// Only what really is a folder or a regular file, wherever a link points:
// a link to a device is neither.
bool isFolder(const QString& path) {
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::path(path.toStdString()), ec);
}
bool isRegularFile(const QString& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(path.toStdString()), ec);
}

}  // namespace

void QtRecordPanel::place(QWidget* w, QRect rect) {
    w->setProperty(TWIPS_PROPERTY, rect);
    const QPointF topLeft = transform_.toWidget(QPointF(rect.left() / 15.0, rect.top() / 15.0));
    const QPointF bottomRight =
        transform_.toWidget(QPointF((rect.left() + rect.width()) / 15.0, (rect.top() + rect.height()) / 15.0));
    w->setGeometry(QRectF(topLeft, bottomRight).toRect());
    QFont font = baseFont_;
    if (font.pointSizeF() > 0) font.setPointSizeF(baseFont_.pointSizeF() * transform_.scale());
    w->setFont(font);
}

void QtRecordPanel::applyTransform(const PictureTransform& transform) {
    transform_ = transform;
    for (QWidget* w : std::initializer_list<QWidget*>{drives_, folders_, files_, returnButton_}) {
        place(w, w->property(TWIPS_PROPERTY).toRect());
    }
    for (int k = 0; k < 4; ++k) {
        place(labels_[k], labels_[k]->property(TWIPS_PROPERTY).toRect());
        place(fields_[k], fields_[k]->property(TWIPS_PROPERTY).toRect());
    }
}

QtRecordPanel::QtRecordPanel(QWidget* parent) : QObject(parent), baseFont_(parent->font()) {
    drives_ = new QComboBox(parent);
    drives_->setObjectName("Drive1");
    place(drives_, twips(240, 360, 2535, 300));
    // The file system roots and mounted volumes, and the home folder.
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && !roots.contains(volume.rootPath())) roots << volume.rootPath();
    }
    roots.sort();
    roots.prepend(QDir::homePath());
    drives_->addItems(roots);
    folders_ = new QListWidget(parent);
    folders_->setObjectName("Dir1");
    place(folders_, twips(240, 600, 2535, 1710));
    files_ = new QListWidget(parent);
    files_->setObjectName("File1");
    place(files_, twips(240, 2280, 2535, 930));

    static const char* const CAPTIONS[4] = {"ﾌｧｲﾙ名 ：", "対 局 名：", "先    手 ：", "後    手 ："};
    static const int TOPS[4] = {3120, 2400, 2640, 2880};  // fields 1 (file name) .. 4 (second player)
    for (int k = 0; k < 4; ++k) {
        labels_[k] = new QLabel(windowText(CAPTIONS[k]), parent);
        labels_[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
        place(labels_[k], twips(120, TOPS[k], 855, 255));
        labels_[k]->setStyleSheet("color: white;");
        fields_[k] = new QLineEdit(parent);
        fields_[k]->setObjectName(QStringLiteral("Text%1").arg(k + 1));
        place(fields_[k], twips(960, TOPS[k], 2295, 270));
    }
    returnButton_ = new QPushButton("RETURN", parent);
    returnButton_->setObjectName("Command1");
    place(returnButton_, twips(3360, 3000, 855, 375));

    folder_ = QDir::currentPath();
    drive_ = QStorageInfo(folder_).rootPath();
    drives_->setCurrentIndex(std::max(0, drives_->findText(drive_)));
    connect(drives_, &QComboBox::activated, this, &QtRecordPanel::Drive1_Change);
    // A single click selects a folder; a double click or Enter opens it,
    // Backspace goes up one level.
    // Long names lose their start, never their end: the end says where one is.
    folders_->setTextElideMode(Qt::ElideLeft);
    folders_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (QWidget* w : std::initializer_list<QWidget*>{drives_, folders_, files_, returnButton_}) w->installEventFilter(this);
    for (QLineEdit* f : fields_) f->installEventFilter(this);
    connect(folders_, &QListWidget::itemDoubleClicked, this, &QtRecordPanel::openFolderItem);
    connect(files_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (fileClicked_) fileClicked_(item->text().toStdString());
    });
    connect(returnButton_, &QPushButton::clicked, this, [this] {
        if (returnPressed_) returnPressed_();
    });
    // Enter in the file-name field saves, as the RETURN button does.
    connect(fields_[0], &QLineEdit::returnPressed, returnButton_, &QPushButton::click);
    fillFolders();
    描画_可視(false, false, false);
    描画_棋譜_IO(false);
}

void QtRecordPanel::setStartFolder(const QString& folder) {
    if (!QDir(folder).isReadable()) return;
    folder_ = QDir::cleanPath(folder);
    drive_ = QStorageInfo(folder_).rootPath();
    drives_->setCurrentIndex(std::max(0, drives_->findText(drive_)));
    fillFolders();
}

void QtRecordPanel::setHandlers(std::function<void(const std::string&)> fileClicked,
                                std::function<void()> returnPressed, Dialogs* dialogs) {
    fileClicked_ = std::move(fileClicked);
    returnPressed_ = std::move(returnPressed);
    dialogs_ = dialogs;
}

void QtRecordPanel::Drive1_Change(int index) {
    const QString root = drives_->itemText(index);
    if (!QDir(root).isReadable()) {
        if (dialogs_) dialogs_->messageBox(windowText("ﾃﾞﾊﾞｲｽが準備できていません").toStdString(), windowText("ｴﾗｰ").toStdString(), Buttons::Ok);
        return;
    }
    drive_ = root;
    Dir1_Change(root);
}

void QtRecordPanel::Dir1_Change(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    if (!QDir(clean).isReadable()) return;
    folder_ = clean;
    fillFolders();
    refreshFiles();
}

void QtRecordPanel::openFolderItem(QListWidgetItem* item) {
    if (item && (item->flags() & Qt::ItemIsEnabled)) Dir1_Change(QDir(folder_).absoluteFilePath(item->data(Qt::UserRole).toString()));
}

QList<QWidget*> QtRecordPanel::shownControls() const {
    // Fields 2, 3 and 4 stand above the file name (field 1).
    QList<QWidget*> order = {drives_, folders_, files_, fields_[1], fields_[2], fields_[3], fields_[0], returnButton_};
    order.removeIf([](QWidget* w) { return w->isHidden(); });
    return order;
}

bool QtRecordPanel::hasKeys() const {
    const QWidget* focus = QApplication::focusWidget();
    for (const QWidget* w : {static_cast<QWidget*>(drives_), static_cast<QWidget*>(folders_), static_cast<QWidget*>(files_),
                             static_cast<QWidget*>(returnButton_)}) {
        if (focus == w || (focus && w->isAncestorOf(focus))) return true;
    }
    return std::any_of(std::begin(fields_), std::end(fields_), [focus](const QLineEdit* f) { return focus == f; });
}

void QtRecordPanel::moveKeys(bool forward) {
    const QList<QWidget*> controls = shownControls();
    if (controls.isEmpty()) return;
    qsizetype at = -1;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        if (QApplication::focusWidget() == controls[i] || controls[i]->isAncestorOf(QApplication::focusWidget())) at = i;
    }
    const qsizetype n = controls.size();
    const qsizetype next = at < 0 ? 0 : (at + (forward ? 1 : n - 1)) % n;
    controls[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool QtRecordPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !(keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        moveKeys(key == Qt::Key_Tab && !(keyEvent->modifiers() & Qt::ShiftModifier));
        return true;
    }
    // Enter on a file loads it, as a click on it does.
    if (watched == files_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (QListWidgetItem* item = files_->currentItem(); item && fileClicked_) fileClicked_(item->text().toStdString());
        return true;
    }
    if (watched == folders_) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openFolderItem(folders_->currentItem());
            return true;
        }
        if (key == Qt::Key_Backspace) {
            if (!QDir(folder_).isRoot()) Dir1_Change(QDir(folder_).absoluteFilePath(".."));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void QtRecordPanel::fillFolders() {
    folders_->clear();
    QDir dir(folder_);
    // The folder shown comes first, for reading only.
    auto* here = new QListWidgetItem(QDir::toNativeSeparators(folder_), folders_);
    here->setFlags(Qt::NoItemFlags);
    QFont bold = here->font();
    bold.setBold(true);
    here->setFont(bold);
    auto add = [this](const QString& name) {
        auto* item = new QListWidgetItem(name, folders_);
        item->setData(Qt::UserRole, name);
    };
    if (!dir.isRoot()) add("..");
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable, QDir::Name)) {
        if (isFolder(dir.absoluteFilePath(name))) add(name);
    }
    folders_->setToolTip(folder_);
}

void QtRecordPanel::refreshFiles() {
    files_->clear();
    const QDir dir(folder_);
    for (const QString& name : dir.entryList({"*.棋譜"}, QDir::Files | QDir::Readable, QDir::Name)) {
        if (isRegularFile(dir.absoluteFilePath(name))) files_->addItem(name);
    }
}

void QtRecordPanel::描画_可視(bool drive, bool folderList, bool file) {
    filesOpened_ = file && files_->isHidden();
    hadKeys_ = hasKeys();
    drives_->setVisible(drive);
    folders_->setVisible(folderList);
    if (file) refreshFiles();
    files_->setVisible(file);
}

void QtRecordPanel::描画_棋譜_IO(bool shown) {
    // Always called after 描画_可視, so the whole panel is settled here.
    const bool hadKeys = hadKeys_ || hasKeys();
    const bool fieldsOpened = shown && fields_[0]->isHidden();
    if (!shown) {
        for (QLineEdit* f : fields_) f->clear();
    }
    for (int k = 0; k < 4; ++k) {
        labels_[k]->setVisible(shown);
        fields_[k]->setVisible(shown);
    }
    returnButton_->setVisible(shown);
    // A panel that opens takes the keys: the file name to save under, or
    // the file list to load from with its first file chosen.
    if (fieldsOpened) {
        fields_[0]->setFocus(Qt::OtherFocusReason);
    } else if (filesOpened_ && !shown) {
        if (!files_->currentItem() && files_->count() > 0) files_->setCurrentRow(0);
        files_->setFocus(Qt::OtherFocusReason);
    } else if (hadKeys && shownControls().isEmpty()) {
        // A panel that closes gives the keys back to the boards.
        if (QWidget* boards = qobject_cast<QWidget*>(parent())) boards->setFocus(Qt::OtherFocusReason);
    }
    filesOpened_ = false;
    hadKeys_ = false;
}

std::string QtRecordPanel::fieldText(RecordField field) {
    return fields_[static_cast<int>(field) - 1]->text().toStdString();
}

std::filesystem::path QtRecordPanel::folder() { return std::filesystem::path(folder_.toStdString()); }

}  // namespace velmora::ui
