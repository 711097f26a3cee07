#include "ui/move_list_panel.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <cmath>

#include "ui/evaluation_graph.h"
#include "ui/panel_look.h"
#include "ui/palette.h"
#include "ui/picture_transform.h"
#include "ui/qt_translation.h"

namespace velmora::ui {
namespace {

// Palette colours: white lines on black, the position shown in black on
// yellow, the moves ahead in grey.
constexpr PaletteColour AHEAD{7};
constexpr PaletteColour CURRENT_BACKGROUND{14};
constexpr PaletteColour CURRENT_TEXT{0};

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

}  // namespace

MoveListPanel::MoveListPanel(QWidget* parent) : QTableWidget(0, 4, parent) {
    setObjectName("moveList");
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(false);
    setWordWrap(false);
    setEditTriggers(NoEditTriggers);
    // The highlight is the position shown, never a selection of the list's own.
    setSelectionMode(NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // By pixels, so a move scrolled to the bottom edge shows whole there.
    setVerticalScrollMode(ScrollPerPixel);
    setFrameShape(QFrame::NoFrame);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, qtColour(PANEL_BACKGROUND));
    colours.setColor(QPalette::Window, qtColour(PANEL_BACKGROUND));
    colours.setColor(QPalette::Text, qtColour(PANEL_TEXT));
    setPalette(colours);
    viewport()->setAutoFillBackground(true);
    applyFont();
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) { emit moveClicked(row); });
    hide();
}

void MoveListPanel::showMoves(const std::vector<ListedMove>& moves, int current) {
    std::vector<std::pair<std::string, std::string>> lines;
    lines.reserve(moves.size());
    for (const ListedMove& m : moves) lines.emplace_back(m.board, m.text);
    if (lines != shown_) {
        shown_ = std::move(lines);
        const auto& rows = *shown_;
        setRowCount(static_cast<int>(rows.size()) + 1);
        setItem(0, 0, cell("", Qt::AlignRight));
        setItem(0, 1, cell("", Qt::AlignHCenter));
        setItem(0, 2, cell(windowText("開始局面"), Qt::AlignLeft));
        // The start has no mark: its caption may use the marks' column too.
        setSpan(0, 2, 1, 2);
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const int row = static_cast<int>(k) + 1;
            setItem(row, 0, cell(QString::number(row), Qt::AlignRight));
            setItem(row, 1, cell(QString::fromStdString(rows[k].first), Qt::AlignHCenter));
            setItem(row, 2, cell(QString::fromStdString(rows[k].second), Qt::AlignLeft));
        }
        placeMarks();
        current_ = -1;
    }
    if (current != current_) {
        current_ = current;
        highlight();
    }
}

void MoveListPanel::showMarks(const std::vector<MoveMark>& marks) {
    if (marks == marks_) return;
    marks_ = marks;
    placeMarks();
    highlight();
}

QString MoveListPanel::markShown(int move) const {
    const QTableWidgetItem* it = item(move, 3);
    return it ? it->text() : QString();
}

void MoveListPanel::placeMarks() {
    for (int row = 0; row < rowCount(); ++row) {
        const auto k = static_cast<size_t>(row - 1);
        const MoveMark mark = row > 0 && k < marks_.size() ? marks_[k] : MoveMark::None;
        setItem(row, 3, cell(QString::fromLatin1(markText(mark).data(), static_cast<int>(markText(mark).size())), Qt::AlignLeft));
    }
}

void MoveListPanel::highlight() {
    for (int row = 0; row < rowCount(); ++row) {
        const bool here = row == current_;
        for (int column = 0; column < columnCount(); ++column) {
            QTableWidgetItem* it = item(row, column);
            if (!it) continue;
            it->setBackground(here ? qtColour(CURRENT_BACKGROUND) : qtColour(PANEL_BACKGROUND));
            it->setForeground(qtColour(here ? CURRENT_TEXT : row > current_ ? AHEAD : PANEL_TEXT));
            // A mark in its own colour, as on the graph.
            const auto k = static_cast<size_t>(row - 1);
            if (column == 3 && !here && row > 0 && k < marks_.size() && marks_[k] != MoveMark::None) {
                it->setForeground(markColour(marks_[k]));
            }
        }
    }
    scrollToCurrent();
}

void MoveListPanel::scrollToCurrent() {
    if (current_ < 0 || current_ >= rowCount()) return;
    // Rows just added reach the scroll bar's range only at the next layout:
    // laid out now, the newest move can be brought wholly into view.
    updateGeometries();
    scrollToItem(item(current_, 2), EnsureVisible);
}

void MoveListPanel::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    applyFont();
    scrollToCurrent();
}

void MoveListPanel::applyFont() {
    const double scale = panelScale(*this);
    if (scale == fontScale_) return;
    fontScale_ = scale;
    const QFont font = panelFont(scale);
    setFont(font);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + panelMargin(scale));
}

}  // namespace velmora::ui
