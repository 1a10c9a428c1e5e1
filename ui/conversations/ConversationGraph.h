// One or more conversations drawn as a graph: a box for each info with its name and first
// line, an arrow from each parent to its children, one layer a level. Drag to move
// around, the wheel or + and - to zoom, 0 to see it whole; a double click or Enter on a
// box opens its info.
#pragma once

#include "library/Conversations.h"

#include <QGraphicsItem>
#include <QGraphicsView>
#include <QString>
#include <span>
#include <vector>

namespace VaskEdit {

class InfoBoxItem;

class ConversationGraph : public QGraphicsView {
    Q_OBJECT

public:
    // What a box shows of its line.
    struct BoxText {
        QString name;
        QString firstLine;
        QString note; // the cycle or missing-parent note, if any
        bool cycle = false;
    };

    explicit ConversationGraph(QWidget* parent = nullptr);

    // Draws the lines (depth first, see LayOutForest) with one text for each line.
    void SetForest(std::span<const ConversationLine> lines, std::vector<BoxText> texts);
    // The boxes in the lines' order, and the parent box of each (null for a root).
    const std::vector<InfoBoxItem*>& Boxes() const { return boxes; }
    InfoBoxItem* ParentOf(std::size_t box) const;
    int CurrentBox() const { return current; }
    void SetCurrentBox(int box);
    void ZoomBy(double factor);
    void FitAll();
    // The whole graph when it can be read so, otherwise the part around the box (if any).
    void ShowAround(int box);

signals:
    // A box was double-clicked or Enter pressed on the current one.
    void boxActivated(int box);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int BoxAt(const QPoint& position) const;

    std::vector<InfoBoxItem*> boxes;
    std::vector<std::ptrdiff_t> parents;
    int current = -1;
    QPoint pressedAt;
};

// The box of one info; it takes no mouse buttons, so that a drag anywhere moves the graph.
class InfoBoxItem : public QGraphicsItem {
public:
    InfoBoxItem(int box, ConversationGraph::BoxText text);

    int Box() const { return box; }
    const ConversationGraph::BoxText& Text() const { return text; }
    void SetCurrent(bool on);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    int box;
    ConversationGraph::BoxText text;
    bool current = false;
    QString shownFirstLine; // laid out in two lines when first painted
};

} // namespace VaskEdit
