#include "ui/conversations/ConversationGraph.h"
#include "ui/conversations/ConversationLayout.h"

#include <QFontMetrics>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QStyleOptionGraphicsItem>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace VaskEdit {

namespace {
constexpr double BoxWidth = 210;
constexpr double BoxHeight = 60;
constexpr double ColumnStep = BoxWidth + 30;
constexpr double LayerStep = BoxHeight + 50;
constexpr double Padding = 6;
// Shelves of conversations that fill a screen of 16 by 10.
constexpr double ShelfShape = 1.6 * LayerStep / ColumnStep;

// The text in at most two lines of the width, broken between words, the second cut with
// "..." when it runs on.
QString TwoLines(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    qsizetype cut = -1;
    for (qsizetype space = text.indexOf(' '); space > 0; space = text.indexOf(' ', space + 1)) {
        if (metrics.horizontalAdvance(text.left(space)) > width)
            break;
        cut = space;
    }
    if (cut < 0) // one long word
        return metrics.elidedText(text, Qt::ElideRight, width);
    return text.left(cut) + "\n" + metrics.elidedText(text.mid(cut + 1), Qt::ElideRight, width);
}

// From the bottom of the parent's box down, across and down to the top of the child's,
// ending in an arrowhead.
class ArrowItem : public QGraphicsItem {
public:
    ArrowItem(QPointF from, QPointF to) {
        const double middle = (from.y() + to.y()) / 2;
        route << from << QPointF(from.x(), middle) << QPointF(to.x(), middle) << to;
        head << to << QPointF(to.x() - 5, to.y() - 9) << QPointF(to.x() + 5, to.y() - 9);
        bounds = route.boundingRect().united(head.boundingRect()).adjusted(-2, -2, 2, 2);
        setZValue(-1);
        setAcceptedMouseButtons(Qt::NoButton);
    }
    QRectF boundingRect() const override { return bounds; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        QPen pen(QColor(90, 90, 90), 1.2);
        pen.setCosmetic(true); // seen at every zoom
        painter->setPen(pen);
        painter->drawPolyline(route);
        painter->setBrush(QColor(90, 90, 90));
        painter->drawPolygon(head);
    }

private:
    QPolygonF route;
    QPolygonF head;
    QRectF bounds;
};
} // namespace

InfoBoxItem::InfoBoxItem(int box, ConversationGraph::BoxText text)
    : box(box), text(std::move(text)) {
    setAcceptedMouseButtons(Qt::NoButton);
    QString tip = this->text.name + this->text.note;
    if (!this->text.firstLine.isEmpty())
        tip += "\n" + this->text.firstLine;
    setToolTip(tip);
}

void InfoBoxItem::SetCurrent(bool on) {
    current = on;
    update();
}

QRectF InfoBoxItem::boundingRect() const {
    return {0, 0, BoxWidth, BoxHeight};
}

void InfoBoxItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    const QRectF frame = boundingRect().adjusted(0.5, 0.5, -0.5, -0.5);
    const bool noted = !text.note.isEmpty();
    const QColor fill = text.cycle ? QColor(235, 235, 235)
                        : current  ? QColor(225, 236, 255)
                                   : QColor(255, 255, 240);
    // Too small to read: a plain patch that still shows where the box is.
    if (option->levelOfDetailFromTransform(painter->worldTransform()) < 0.3) {
        painter->fillRect(frame, current ? QColor(30, 90, 200) : fill.darker(noted ? 150 : 125));
        return;
    }
    QPen border(current ? QColor(30, 90, 200) : QColor(60, 60, 60), current ? 2.5 : 1);
    if (noted)
        border.setStyle(Qt::DashLine); // a repeat on a cycle, or a parent that is missing
    painter->setPen(border);
    painter->setBrush(fill);
    painter->drawRoundedRect(frame, 4, 4);

    const QRectF inner = boundingRect().adjusted(Padding, 3, -Padding, -3);
    QFont font = painter->font();
    font.setBold(true);
    font.setItalic(noted);
    painter->setFont(font);
    painter->setPen(noted ? QColor(110, 110, 110) : Qt::black);
    const QFontMetrics boldMetrics(font);
    const QString title = text.name + text.note;
    painter->drawText(inner, Qt::AlignLeft | Qt::AlignTop,
                      boldMetrics.elidedText(title, Qt::ElideRight, int(inner.width())));
    font.setBold(false);
    font.setItalic(false);
    painter->setFont(font);
    painter->setPen(QColor(50, 50, 50));
    const QFontMetrics metrics(font);
    const QRectF below = inner.adjusted(0, boldMetrics.height() + 2, 0, 0);
    if (shownFirstLine.isNull())
        shownFirstLine = TwoLines(text.firstLine, metrics, int(below.width()));
    painter->drawText(below, Qt::AlignLeft | Qt::AlignTop, shownFirstLine);
}

ConversationGraph::ConversationGraph(QWidget* parent) : QGraphicsView(parent) {
    setScene(new QGraphicsScene(this));
    setDragMode(QGraphicsView::ScrollHandDrag);
    setRenderHint(QPainter::Antialiasing);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setBackgroundBrush(QColor(250, 250, 250));
}

void ConversationGraph::SetForest(std::span<const ConversationLine> lines,
                                  std::vector<BoxText> texts) {
    scene()->clear();
    boxes.clear();
    current = -1;
    const std::vector<GraphPlace> places = LayOutForest(lines, ShelfShape);
    parents.assign(places.size(), -1);
    boxes.reserve(places.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
        auto* box = new InfoBoxItem(static_cast<int>(i), std::move(texts[i]));
        box->setPos(places[i].column * ColumnStep, places[i].layer * LayerStep);
        scene()->addItem(box);
        boxes.push_back(box);
        parents[i] = places[i].parent;
    }
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (parents[i] < 0)
            continue;
        const QRectF from = boxes[static_cast<std::size_t>(parents[i])]->sceneBoundingRect();
        const QRectF to = boxes[i]->sceneBoundingRect();
        scene()->addItem(new ArrowItem(QPointF(from.center().x(), from.bottom()),
                                       QPointF(to.center().x(), to.top())));
    }
    scene()->setSceneRect(scene()->itemsBoundingRect().adjusted(-40, -40, 40, 40));
}

InfoBoxItem* ConversationGraph::ParentOf(std::size_t box) const {
    return parents[box] < 0 ? nullptr : boxes[static_cast<std::size_t>(parents[box])];
}

void ConversationGraph::SetCurrentBox(int box) {
    if (current >= 0)
        boxes[static_cast<std::size_t>(current)]->SetCurrent(false);
    current = box >= 0 && static_cast<std::size_t>(box) < boxes.size() ? box : -1;
    if (current >= 0) {
        boxes[static_cast<std::size_t>(current)]->SetCurrent(true);
        ensureVisible(boxes[static_cast<std::size_t>(current)]);
    }
}

void ConversationGraph::ZoomBy(double factor) {
    // Neither so small that nothing can be read nor so large that one box fills the view.
    const double now = transform().m11();
    const double wanted = std::clamp(now * factor, 0.02, 4.0);
    scale(wanted / now, wanted / now);
}

void ConversationGraph::FitAll() {
    fitInView(scene()->sceneRect(), Qt::KeepAspectRatio);
    // A small graph stays at its natural size.
    if (transform().m11() > 1)
        resetTransform();
}

void ConversationGraph::ShowAround(int box) {
    FitAll();
    SetCurrentBox(box);
    if (current >= 0 && transform().m11() < 0.5) {
        ZoomBy(0.8 / transform().m11());
        centerOn(boxes[static_cast<std::size_t>(current)]);
    }
}

void ConversationGraph::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0)
        return QGraphicsView::wheelEvent(event);
    ZoomBy(std::pow(1.15, steps / 120.0));
    event->accept();
}

void ConversationGraph::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomBy(1.25);
        return;
    case Qt::Key_Minus:
        ZoomBy(1 / 1.25);
        return;
    case Qt::Key_0:
        FitAll();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (current >= 0)
            emit boxActivated(current);
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void ConversationGraph::mousePressEvent(QMouseEvent* event) {
    pressedAt = event->position().toPoint();
    QGraphicsView::mousePressEvent(event);
}

void ConversationGraph::mouseReleaseEvent(QMouseEvent* event) {
    QGraphicsView::mouseReleaseEvent(event);
    // A click, not the end of a drag: the box under it becomes the current one.
    if (event->button() == Qt::LeftButton &&
        (event->position().toPoint() - pressedAt).manhattanLength() < 4) {
        const int box = BoxAt(event->position().toPoint());
        if (box >= 0)
            SetCurrentBox(box);
    }
}

void ConversationGraph::mouseDoubleClickEvent(QMouseEvent* event) {
    const int box = BoxAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && box >= 0) {
        SetCurrentBox(box);
        emit boxActivated(box);
        return;
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

int ConversationGraph::BoxAt(const QPoint& position) const {
    for (QGraphicsItem* item : items(position)) {
        if (auto* box = dynamic_cast<InfoBoxItem*>(item))
            return box->Box();
    }
    return -1;
}

} // namespace VaskEdit
