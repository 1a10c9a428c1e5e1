#include "ui/dialogs/StandardDialogFrame.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace VaskEdit {

namespace {
constexpr int Margin = 12;
// Room kept free around a grown dialog for its frame and title bar.
constexpr int FrameAllowance = 48;

QScreen* ScreenOf(QDialog* dialog) {
    QScreen* screen = dialog->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

void CentreOnScreen(QDialog* dialog) {
    if (QScreen* screen = ScreenOf(dialog)) {
        const QRect area = screen->availableGeometry();
        dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
    }
}

QScrollArea* MessageArea(QLabel* label) {
    return qobject_cast<QScrollArea*>(label->parentWidget()->parentWidget());
}

// The buttons as one row, their distances kept, centred at the bottom of the client area.
// The left edge and the width of a row of buttons (not empty).
std::pair<int, int> RowExtent(const QList<QPushButton*>& buttons) {
    int left = buttons.front()->x();
    int right = buttons.front()->geometry().right();
    for (const QPushButton* button : buttons) {
        left = std::min(left, button->x());
        right = std::max(right, button->geometry().right());
    }
    return {left, right - left + 1};
}

void PlaceButtonRow(const QList<QPushButton*>& buttons, QSize client) {
    if (buttons.isEmpty())
        return;
    const auto [left, width] = RowExtent(buttons);
    const int shift = (client.width() - width) / 2 - left;
    for (QPushButton* button : buttons)
        button->move(button->x() + shift, client.height() - Margin - button->height());
}
} // namespace

QLabel* SetUpStandardDialog(QDialog* dialog, QSize clientArea) {
    dialog->setModal(true);
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog->setFixedSize(clientArea);
    auto* area = new QScrollArea(dialog);
    area->setObjectName("messageArea");
    // The message takes the first focus (its keys scroll a long text), so that the first Tab
    // reaches the first button rather than the second.
    area->setFocusPolicy(Qt::StrongFocus);
    area->setFocus(); // taken when the dialog shows, on every platform
    area->setFrameShape(QFrame::NoFrame);
    area->viewport()->setAutoFillBackground(false);
    area->setGeometry(Margin, Margin, clientArea.width() - 2 * Margin,
                      clientArea.height() - 2 * Margin);
    auto* label = new QLabel;
    // Messages quote names in angle brackets; they are never markup.
    label->setTextFormat(Qt::PlainText);
    area->setWidget(label);
    label->setAutoFillBackground(false); // the area turned it on
    SetStandardTexts(dialog, label, "Title", "Default");
    CentreOnScreen(dialog);
    return label;
}

void SetStandardTexts(QDialog* dialog, QLabel* label, const QString& caption,
                      const QString& message) {
    dialog->setWindowTitle(caption);
    label->setText(message);
    // The label keeps its natural size.
    label->setWordWrap(false);
    label->adjustSize();
}

void FitToMessage(QDialog* dialog, QLabel* label, QSize clientArea,
                  const QList<QPushButton*>& buttons) {
    QScrollArea* area = MessageArea(label);
    const int buttonHeight = buttons.isEmpty() ? 0 : buttons.front()->height();
    const int besideText = 2 * Margin;
    const int aroundText = 3 * Margin + buttonHeight;
    label->setWordWrap(false);
    const QSize natural = label->sizeHint();
    QSize client = clientArea;
    if (natural.width() > clientArea.width() - besideText ||
        natural.height() > clientArea.height() - aroundText) {
        const QRect screen =
            ScreenOf(dialog)->availableGeometry().adjusted(0, 0, -FrameAllowance, -FrameAllowance);
        const int bar = dialog->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        // Wider than the screen: wrapped at the widest line that fits beside a scroll bar.
        const int widest = screen.width() - besideText - bar;
        const bool wrap = natural.width() > widest;
        label->setWordWrap(wrap);
        const int textWidth =
            std::max(std::min(natural.width(), widest), clientArea.width() - besideText);
        // A word longer than a line keeps its width and scrolls sideways.
        const int labelWidth =
            wrap ? std::max(textWidth, label->minimumSizeHint().width()) : textWidth;
        const int textHeight = wrap ? label->heightForWidth(labelWidth) : natural.height();
        label->resize(labelWidth, textHeight);
        const int sideways = labelWidth > textWidth ? bar : 0;
        const int areaHeight = std::min(textHeight + sideways, screen.height() - aroundText);
        const int upDown = areaHeight < textHeight + sideways ? bar : 0;
        client = QSize(std::max(clientArea.width(), textWidth + upDown + besideText),
                       std::max(clientArea.height(), areaHeight + aroundText));
    } else {
        label->adjustSize();
    }
    // As wide as the row of buttons, whatever their texts.
    if (!buttons.isEmpty())
        client.setWidth(std::max(client.width(), RowExtent(buttons).second + besideText));
    dialog->setFixedSize(client);
    area->setGeometry(Margin, Margin, client.width() - besideText, client.height() - aroundText);
    PlaceButtonRow(buttons, client);
    CentreOnScreen(dialog);
}

} // namespace VaskEdit
