#pragma once
#include <QFont>
#include <QObject>
#include <functional>

#include "ports/record_panel_port.h"
#include "ui/picture_transform.h"

class QComboBox;
class QListWidgetItem;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace velmora {
class Dialogs;
}

namespace velmora::ui {

// The record file panel at the left edge of the window: drive list, folder
// list, "*.棋譜" file list, four labelled fields and the RETURN button.
class QtRecordPanel : public QObject, public RecordPanel {
    Q_OBJECT
public:
    explicit QtRecordPanel(QWidget* parent);

    // What a click on a file and the RETURN button do; the window connects them to the game.
    void setHandlers(std::function<void(const std::string&)> fileClicked, std::function<void()> returnPressed,
                     Dialogs* dialogs);

    void 描画_可視(bool drive, bool folder, bool file) override;
    void 描画_棋譜_IO(bool shown) override;
    std::string fieldText(RecordField field) override;
    std::filesystem::path folder() override;
    void refreshFiles() override;

    // The folder the panel opens in.
    void setStartFolder(const QString& folder);
    // Places and sizes the panel's controls for the picture's scale.
    void applyTransform(const PictureTransform& transform);

    QListWidget* fileList() const { return files_; }
    QListWidget* folderList() const { return folders_; }
    QString currentFolder() const { return folder_; }
    QLineEdit* field(int k) const { return fields_[k - 1]; }

private:
    void Drive1_Change(int index);
    void Dir1_Change(const QString& path);
    void fillFolders();
    void openFolderItem(QListWidgetItem* item);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void place(QWidget* w, QRect twips);
    // The panel's controls in the order Tab visits them: top to bottom, the
    // RETURN button last; only those shown.
    QList<QWidget*> shownControls() const;
    bool hasKeys() const;
    // Tab and Shift+Tab go round the panel's controls and never out to the boards.
    void moveKeys(bool forward);

    QComboBox* drives_;
    QListWidget* folders_;
    QListWidget* files_;
    QLabel* labels_[4];
    QLineEdit* fields_[4];
    QPushButton* returnButton_;
    QString folder_;
    PictureTransform transform_;
    QFont baseFont_;
    QString drive_;
    // The file list has just been shown: the keys go to it once the fields are settled.
    bool filesOpened_ = false;
    // A control of the panel had the keys before this change of the panel.
    bool hadKeys_ = false;
    std::function<void(const std::string&)> fileClicked_;
    std::function<void()> returnPressed_;
    Dialogs* dialogs_ = nullptr;
};

}  // namespace velmora::ui
