// initial_file_tool TABLE PROGRAM_DIR
// Writes the initial clone file of each model type into the program's folder, under the name
// that the program's text table gives it (line t of GI_App_InitialFile for model type t).
#include <fstream>
#include <iostream>
#include <string>

#include "common/MainGTex.h"
#include "common/cmcGTex.h"
#include "radio/clone/file/cmcTovFile.h"
#include "radio/image/AddressRange.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "tools/initial_files/InitialImage.h"

namespace {

constexpr int kSecondId = 0;  // the extra id of the program's own files

// A failure shows the clone file's own result box (on standard error here).
bool WriteInitialFile(ModelType model, const std::string& path) {
    cmcEeprom image;
    if (!initial::BuildInitialImage(model, image)) {
        std::cerr << "initial_file_tool: a setting lies outside the radio's memory\n";
        return false;
    }
    cmcTovFile file;
    file.SetImage(&image);
    file.SetModelId(layout::kModelCodeValue);
    file.SetExtraId(kSecondId);
    file.SetMapRev(layout::kOwnMapRevision);
    return file.Write(path, {{0, layout::kRadioPartLast}}) == TOV_Ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: initial_file_tool TABLE PROGRAM_DIR\n";
        return 2;
    }
    const std::string tablePath = argv[1];
    if (!std::ifstream(tablePath)) {
        std::cerr << "initial_file_tool: cannot read " << tablePath << "\n";
        return 1;
    }
    cmcGTex table;
    table.SetFileName(tablePath);
    InstallMainGTex(&table);
    int result = 0;
    for (int model = MT_Lmr; model <= MT_MdcPmr && result == 0; ++model) {
        const std::string name = table.GetLine("GI_App_InitialFile", model);
        if (!WriteInitialFile(static_cast<ModelType>(model), std::string(argv[2]) + "/" + name)) {
            result = 1;
        }
    }
    InstallMainGTex(nullptr);
    return result;
}
