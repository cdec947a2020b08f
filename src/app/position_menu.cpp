#include "app/position_menu.h"

#include <initializer_list>
#include <utility>

#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {
namespace {

// A menu entry: its text entry and the code it chooses.
using Entry = std::pair<int, int>;

const std::initializer_list<Entry> FRONT_LEFT = {
    {TXT_DRIVER_TWEETER, 1},          {TXT_DRIVER_MIDRANGE, 2},        {TXT_DRIVER_WOOFER, 3},
    {TXT_DRIVER_MIDRANGE_TWEETER, 4}, {TXT_DRIVER_MIDRANGE_WOOFER, 5}, {TXT_DRIVER_FULL, 6}};
const std::initializer_list<Entry> FRONT_RIGHT = {
    {TXT_DRIVER_TWEETER, 7},           {TXT_DRIVER_MIDRANGE, 8},         {TXT_DRIVER_WOOFER, 9},
    {TXT_DRIVER_MIDRANGE_TWEETER, 10}, {TXT_DRIVER_MIDRANGE_WOOFER, 11}, {TXT_DRIVER_FULL, 12}};
const std::initializer_list<Entry> REAR_LEFT = {
    {TXT_DRIVER_TWEETER, 13}, {TXT_DRIVER_WOOFER, 14}, {TXT_DRIVER_FULL, 15}};
const std::initializer_list<Entry> REAR_RIGHT = {
    {TXT_DRIVER_TWEETER, 16}, {TXT_DRIVER_WOOFER, 17}, {TXT_DRIVER_FULL, 18}};
const std::initializer_list<Entry> CENTER = {
    {TXT_DRIVER_TWEETER, 19}, {TXT_DRIVER_WOOFER, 20}, {TXT_DRIVER_FULL, 21}};
const std::initializer_list<Entry> SUBWOOFER = {{TXT_POSITION_LEFT_SUBWOOFER, 22},
                                                {TXT_POSITION_RIGHT_SUBWOOFER, 23},
                                                {TXT_POSITION_SUBWOOFER, 24}};

QString entryText(int entry) {
    return QString::fromUtf8(text(entry));
}

class MenuBuilder {
public:
    MenuBuilder(int currentCode, const PositionAvailability& available)
        : current_(currentCode), available_(available) {}

    void add(QMenu& menu, int textEntry, int code) const {
        QAction* action = menu.addAction(entryText(textEntry));
        action->setData(code);
        action->setCheckable(true);
        action->setChecked(code == current_);
        action->setEnabled(available_[static_cast<std::size_t>(code)]);
    }
    void addAll(QMenu& menu, std::initializer_list<Entry> entries) const {
        for (const auto& [entry, code] : entries) add(menu, entry, code);
    }
    QMenu& submenu(QMenu& menu, int textEntry) const { return *menu.addMenu(entryText(textEntry)); }

private:
    const int current_;
    const PositionAvailability& available_;
};

}  // namespace

std::unique_ptr<QMenu> buildPositionMenu(QWidget* parent, int currentCode,
                                         const PositionAvailability& available) {
    auto menu = std::make_unique<QMenu>(parent);
    const MenuBuilder builder(currentCode, available);
    builder.add(*menu, TXT_POSITION_EMPTY, POSITION_EMPTY);

    QMenu& front = builder.submenu(*menu, TXT_POSITION_FRONT);
    builder.addAll(builder.submenu(front, TXT_SIDE_LEFT), FRONT_LEFT);
    builder.addAll(builder.submenu(front, TXT_SIDE_RIGHT), FRONT_RIGHT);
    QMenu& rear = builder.submenu(*menu, TXT_POSITION_REAR);
    builder.addAll(builder.submenu(rear, TXT_SIDE_LEFT), REAR_LEFT);
    builder.addAll(builder.submenu(rear, TXT_SIDE_RIGHT), REAR_RIGHT);
    builder.addAll(builder.submenu(*menu, TXT_POSITION_CENTER), CENTER);
    builder.addAll(builder.submenu(*menu, TXT_POSITION_SUBWOOFER), SUBWOOFER);
    return menu;
}

}  // namespace tq370
