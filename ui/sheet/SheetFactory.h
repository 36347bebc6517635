#pragma once

#include <memory>
#include <string>
#include <string_view>

class QWidget;
class cmcGTex;
class cuiImageList;
class cuiSheet;

// The sheet class a spec's style word selects ("St_ChBank", "St_Common"); no style, or one
// that no class answers to, gives a plain cuiSheet. The sheet is not shown yet.
std::unique_ptr<cuiSheet> MakeSheetOfStyle(std::string_view style, QWidget* parent, cmcGTex& table,
                                           const std::string& name, const cuiImageList* images);
