#include "shell/PortList.h"

#include "Codepage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyledItemDelegate>

namespace {

constexpr int DETAIL_ROLE = Qt::UserRole + 1;
constexpr int LIST_MARGIN = 16;

// Draws an item as its name followed by what is known of its device.
class TPortItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString detail = index.data(DETAIL_ROLE).toString();
        if (!detail.isEmpty())
            option->text += QStringLiteral("   ") + detail;
    }
};

} // namespace

void FillPortList(QComboBox& combo, const std::vector<TSerialPortInfo>& ports) {
    if (dynamic_cast<TPortItemDelegate*>(combo.itemDelegate()) == nullptr)
        combo.setItemDelegate(new TPortItemDelegate(&combo));
    combo.clear();
    for (const TSerialPortInfo& port : ports) {
        const QString detail = QString::fromStdString(port.Description());
        combo.addItem(FromCp1250(port.name));
        const int row = combo.count() - 1;
        combo.setItemData(row, detail, DETAIL_ROLE);
        combo.setItemData(row, detail, Qt::ToolTipRole);
    }
    QAbstractItemView* view = combo.view();
    view->setMinimumWidth(view->sizeHintForColumn(0) + LIST_MARGIN);
}
