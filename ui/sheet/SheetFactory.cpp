#include "ui/sheet/SheetFactory.h"

#include <array>

#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiSh_ChBank.h"
#include "ui/sheet/iuiSh_Common.h"

namespace {

using SheetMaker = std::unique_ptr<cuiSheet> (*)(QWidget* parent, cmcGTex& table,
                                                 const std::string& name,
                                                 const cuiImageList* images);

template <class Sheet>
std::unique_ptr<cuiSheet> MakeSheet(QWidget* parent, cmcGTex& table, const std::string& name,
                                    const cuiImageList* images) {
    return std::make_unique<Sheet>(parent, nullptr, 0, 0, table, name, images);
}

struct StyleRow {
    std::string_view style;
    SheetMaker make;
};

// One row a style word.
constexpr std::array<StyleRow, 2> kStyles = {{
    {"St_ChBank", &MakeSheet<iuiSh_ChBank>},
    {"St_Common", &MakeSheet<iuiSh_Common>},
}};

}  // namespace

std::unique_ptr<cuiSheet> MakeSheetOfStyle(std::string_view style, QWidget* parent, cmcGTex& table,
                                           const std::string& name, const cuiImageList* images) {
    for (const StyleRow& row : kStyles) {
        if (row.style == style) {
            return row.make(parent, table, name, images);
        }
    }
    return MakeSheet<cuiSheet>(parent, table, name, images);
}
