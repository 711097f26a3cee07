#include "ui/record_panel.h"

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
    folders_->installEventFilter(this);
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

bool QtRecordPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == folders_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
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
    drives_->setVisible(drive);
    folders_->setVisible(folderList);
    if (file) refreshFiles();
    files_->setVisible(file);
}

void QtRecordPanel::描画_棋譜_IO(bool shown) {
    if (!shown) {
        for (QLineEdit* f : fields_) f->clear();
    }
    for (int k = 0; k < 4; ++k) {
        labels_[k]->setVisible(shown);
        fields_[k]->setVisible(shown);
    }
    returnButton_->setVisible(shown);
}

std::string QtRecordPanel::fieldText(RecordField field) {
    return fields_[static_cast<int>(field) - 1]->text().toStdString();
}

std::filesystem::path QtRecordPanel::folder() { return std::filesystem::path(folder_.toStdString()); }

}  // namespace velmora::ui
