#pragma once

#include <QStyledItemDelegate>
#include <QTextOption>

#include <vector>

// Paints list lines with their tabs expanded at the list box's tab stops, given in dialog
// units like the rest of the layout.
class TabStopDelegate : public QStyledItemDelegate {
public:
    TabStopDelegate(int charWidth, QObject* parent);

    void setStops(const std::vector<int>& dialogUnits);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int m_charWidth;
    QList<QTextOption::Tab> m_tabs;
};
