// The sheets with lines for some model types only: each line shows on the types whose saves
// keep its setting (and the set-mode access line while the radio has that option), and the
// program's cover names the tone families of the model type only.
#include <gtest/gtest.h>

#include <string>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/ImageLayout.h"
#include "tests/ui/support/SettingSheetRig.h"
#include "ui/sheet/cuiSheet.h"

namespace {

enum class Types { All, Pmr, Lmr, Vask, Sacc };

struct Line {
    const char* spec;
    int item;
    const char* option;  // of a cover line, else null
    Types shownOn;
};

constexpr Line kLines[] = {
    {"[St_Common]GI_Sheet_Common_General", CL_Comm_PwrOnPassword, nullptr, Types::All},
    {"[St_Common]GI_Sheet_Common_General", CL_Comm_SetModeAccess, nullptr, Types::Sacc},
    {"[St_Common]GI_Sheet_Common_General", CL_Comm_Wide, nullptr, Types::Pmr},
    {"[St_Common]GI_Sheet_Common_Timer", CL_Comm_InactiveTimer, nullptr, Types::Pmr},
    {"[St_Common]GI_Sheet_Common_SerialPort", CL_Comm_RS232C_Mode, nullptr, Types::Vask},
    {"[St_Common]GI_Sheet_Common_SerialPort", CL_Comm_RS232C_SPPED, nullptr, Types::Vask},
    {"[St_Common]GI_Sheet_Common_SerialPort", CL_Comm_TRDataOut, nullptr, Types::All},
    {"[St_Common]GI_Sheet_KDisp_KeyOptions", CL_KDisp_MrCode, nullptr, Types::Pmr},
    {"[St_Common]GI_Sheet_KDisp_KeyOptions", CL_KDisp_PrioA_ClearDown, nullptr, Types::Vask},
    {"[St_Common]GI_Sheet_KDisp_KeyOptions", CL_KDisp_PwrSW, nullptr, Types::All},
    {"[St_Common]GI_Sheet_Scan_Common", CL_ScanComm_AutoChCall_PmrOnly, nullptr, Types::Pmr},
    {"[St_Common]GI_Sheet_Radio_Top", CallSheet, "GI_Sheet_2Tone_Top", Types::Lmr},
    {"[St_Common]GI_Sheet_Radio_Top", CallSheet, "GI_Sheet_5Tone_Top", Types::Pmr},
    {"[St_Common]GI_Sheet_Radio_Top", CallSheet, "GI_Sheet_UTone_List", Types::Pmr},
    {"[St_Common]GI_Sheet_Radio_Top", CallSheet, "GI_Sheet_Dtmf_Top", Types::All},
};

bool ShownOn(Types types, ModelType model, bool sacc) {
    switch (types) {
        case Types::Pmr:
            return IsPmrType(model);
        case Types::Lmr:
            return IsLmrType(model);
        case Types::Vask:
            return model == MT_VaskPmr;
        case Types::Sacc:
            return sacc;
        default:
            return true;
    }
}

bool HasLine(const cuiSheet& sheet, const Line& line) {
    const cuiSheetCells& cells = sheet.Cells();
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            const cmcCellObj& cell = cells.At(col, row).cell;
            if (cell.item == line.item &&
                (!line.option || (cell.optionText && *cell.optionText == line.option))) {
                return true;
            }
        }
    }
    return false;
}

TEST(ModelRows, EachLineShowsOnTheTypesThatKeepItsSetting) {
    for (const ModelType model : {MT_Lmr, MT_Pmr, MT_VaskPmr, MT_MdcLmr, MT_MdcPmr}) {
        testsupport::SettingSheetRig sheets(model);
        for (const bool sacc : {false, true}) {
            cmcEeprom& image = sheets.rig.shell.image;
            const uint8_t options = image.GetByte(layout::kOptions);
            image.SetByte(layout::kOptions, sacc ? options | layout::kSaccFittedMask
                                                 : options & ~layout::kSaccFittedMask);
            for (const Line& line : kLines) {
                sheets.Open(line.spec);
                EXPECT_EQ(HasLine(*sheets.sheet, line), ShownOn(line.shownOn, model, sacc))
                    << "model " << model << (sacc ? " with" : " without") << " SACC: " << line.spec
                    << " " << line.item << " " << (line.option ? line.option : "");
            }
        }
    }
}

}  // namespace
