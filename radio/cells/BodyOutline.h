#pragma once

#include <string>
#include <string_view>

#include "common/cmcGTex.h"

// The body sections of menus and trees ("<base>_Body"): one item a line, up to the first line
// that begins with "#". The characters before a line's first "+" give its level (a line
// without "+" has the level of its length), and the text after that "+" is the item's cell
// definition (empty without one).

int BodyLineLevel(std::string_view line);
std::string_view BodyLineDefinition(std::string_view line);

// Adds the group of items that starts at line first of the section under parent: the first
// line sets the group's level; a line of that level is added under parent by
// add(parent, line), which returns the new item; a deeper line starts a group under the item
// added last; a shallower line or a "#" line ends the group. Returns the lines used.
template <typename Item, typename Add>
int AddBodyGroup(cmcGTex& table, const std::string& section, int first, Item parent, Add& add) {
    int n = 0;
    int level = 0;
    Item last = parent;
    for (;;) {
        const std::string line = table.GetLine(section, first + n);
        if (line.starts_with('#')) {
            break;
        }
        const int depth = BodyLineLevel(line);
        if (n > 0 && depth > level) {
            n += AddBodyGroup(table, section, first + n, last, add);
            continue;
        }
        if (n > 0 && depth < level) {
            break;
        }
        if (n == 0) {
            level = depth;
        }
        last = add(parent, line);
        ++n;
    }
    return n;
}
