#include "ui/qt/TabStopDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextOption>

namespace {

// Without stops of its own a list box puts one every 32 dialog units.
constexpr int kDefaultStopUnits = 32;

} // namespace

TabStopDelegate::TabStopDelegate(int charWidth, QObject* parent)
    : QStyledItemDelegate(parent), m_charWidth(charWidth) {}

void TabStopDelegate::setStops(const std::vector<int>& dialogUnits) {
    m_tabs.clear();
    for (int units : dialogUnits) {
        m_tabs.append(QTextOption::Tab(units * m_charWidth / 4.0, QTextOption::LeftTab));
    }
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    QTextOption layout;
    layout.setWrapMode(QTextOption::NoWrap);
    layout.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (m_tabs.isEmpty()) {
        layout.setTabStopDistance(kDefaultStopUnits * m_charWidth / 4.0);
    } else {
        layout.setTabs(m_tabs);
    }
    const QRect textRect =
        style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(2, 0, -2, 0);
    painter->save();
    painter->setPen(item.palette.color(QPalette::Normal, (item.state & QStyle::State_Selected)
                                                             ? QPalette::HighlightedText
                                                             : QPalette::Text));
    painter->drawText(QRectF(textRect), text, layout);
    painter->restore();
}
