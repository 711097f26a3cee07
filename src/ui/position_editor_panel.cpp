#include "ui/position_editor_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "draw/geometry.h"
#include "ui/qt_translation.h"

namespace velmora::ui {

namespace {

constexpr int ICON_PIXELS = 36;

// The eraser's picture: the empty square with a red cross.
QIcon eraserIcon(const QImage& square) {
    QPixmap pixmap = QPixmap::fromImage(square.scaled(ICON_PIXELS, ICON_PIXELS));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::red, 4));
    painter.drawLine(8, 8, ICON_PIXELS - 8, ICON_PIXELS - 8);
    painter.drawLine(ICON_PIXELS - 8, 8, 8, ICON_PIXELS - 8);
    return QIcon(pixmap);
}

}  // namespace

PositionEditorPanel::PositionEditorPanel(Pictures& pictures, QWidget* parent) : QWidget(parent) {
    setObjectName("POSITION_EDITOR");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    auto* tools = new QButtonGroup(this);
    tools->setExclusive(true);
    // White's pieces in the first column, black's in the second, king first.
    for (int kind = KING; kind >= PAWN; --kind) {
        for (const Colour colour : {Colour::White, Colour::Black}) {
            const auto code = static_cast<PieceCode>(pieceCode(colour, kind));
            auto* button = new QToolButton(this);
            button->setCheckable(true);
            button->setIcon(QIcon(QPixmap::fromImage(pictures.byCode(piecePictureCode(code, 0)))));
            button->setIconSize(QSize(ICON_PIXELS, ICON_PIXELS));
            button->setObjectName(QStringLiteral("TOOL_%1").arg(code));
            button->setFocusPolicy(Qt::NoFocus);
            tools->addButton(button);
            grid->addWidget(button, KING - kind, colour == Colour::White ? 0 : 1);
            tools_[code] = button;
            connect(button, &QToolButton::clicked, this, [this, code] { emit toolChosen(code); });
        }
    }
    auto* eraser = new QToolButton(this);
    eraser->setCheckable(true);
    eraser->setIcon(eraserIcon(pictures.byCode(PIC_EMPTY_0)));
    eraser->setIconSize(QSize(ICON_PIXELS, ICON_PIXELS));
    eraser->setObjectName("TOOL_0");
    eraser->setToolTip(windowText("消す"));
    eraser->setFocusPolicy(Qt::NoFocus);
    tools->addButton(eraser);
    grid->addWidget(eraser, 6, 0, 1, 2, Qt::AlignHCenter);
    tools_[EMPTY] = eraser;
    connect(eraser, &QToolButton::clicked, this, [this] { emit toolChosen(EMPTY); });
    layout->addLayout(grid);

    start_ = new QPushButton(windowText("初期配置"), this);
    empty_ = new QPushButton(windowText("空の盤"), this);
    layout->addWidget(start_);
    layout->addWidget(empty_);
    connect(start_, &QPushButton::clicked, this, &PositionEditorPanel::startPositionChosen);
    connect(empty_, &QPushButton::clicked, this, &PositionEditorPanel::emptyBoardsChosen);

    layout->addWidget(new QLabel(windowText("手番"), this));
    white_ = new QRadioButton(windowText("白"), this);
    black_ = new QRadioButton(windowText("黒"), this);
    layout->addWidget(white_);
    layout->addWidget(black_);
    connect(white_, &QRadioButton::clicked, this, [this] { emit toMoveChosen(Colour::White); });
    connect(black_, &QRadioButton::clicked, this, [this] { emit toMoveChosen(Colour::Black); });

    layout->addStretch(1);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(windowText("キャンセル"), this);
    layout->addWidget(ok_);
    layout->addWidget(cancel_);
    connect(ok_, &QPushButton::clicked, this, &PositionEditorPanel::accepted);
    connect(cancel_, &QPushButton::clicked, this, &PositionEditorPanel::cancelled);
    // The keys stay with the boards: the buttons are for the mouse.
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{start_, empty_, white_, black_, ok_, cancel_}) {
        b->setFocusPolicy(Qt::NoFocus);
    }
}

void PositionEditorPanel::showState(PieceCode tool, Colour toMove) {
    if (auto it = tools_.find(tool); it != tools_.end()) it->second->setChecked(true);
    toMoveButton(toMove).setChecked(true);
}

}  // namespace velmora::ui
