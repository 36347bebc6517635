// Everything after the clone-file reader, through the program's own File commands: an image
// (a model type's initial image or zeros, then the input's bytes put in) is saved as a clone
// file and opened over a new document. The image check, the newer-data check, the packed-area
// check and the unpacking decide; a refused file must leave the document as it was. A file
// taken in must open and paint every cell of every sheet its model type shows, save, and open
// again as it was saved.
#include <string>
#include <vector>

#include "common/DecimalNumber.h"
#include "radio/clone/file/cmcTovFile.h"
#include "radio/image/AddressRange.h"
#include "radio/image/BankSize.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "radio/sheet/SheetSelector.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/InputReader.h"
#include "tests/fuzz/ui/ProgramRig.h"
#include "ui/sheet/cuiSheet.h"

namespace {

constexpr int kModelTypes = 5;

// A model type's initial image as its file holds it, read once.
const cmcEeprom& InitialImage(int model) {
    static cmcEeprom images[kModelTypes];
    cmcEeprom& image = images[model];
    if (image.GetSize() == 0) {
        image.Resize(layout::kImageSize);
        cmcTovFile file;
        file.SetImage(&image);
        file.SetModelId(layout::kModelCodeValue);
        file.SetMapRevHandler([](int) { return true; });
        file.SetHeaderHandler([](int, int, int*) { return true; });
        const std::string names[kModelTypes] = {"InitialLmr", "InitialPmr", "InitialVaskPmr",
                                                "InitialMdcLmr", "InitialMdcPmr"};
        fuzz::Check(file.Read(MERROW_DATA_DIR "/" + names[model] + ".tov", nullptr) == 0,
                    "the initial file reads");
    }
    return image;
}

// The base image, then the input's bytes: single bytes or runs at addresses of the document.
void BuildImage(fuzz::InputReader& input, cmcEeprom& image) {
    const int base = input.Number(0, kModelTypes);
    image.Resize(layout::kImageSize);
    if (base < kModelTypes) {
        image.Assign(InitialImage(base));
    }
    for (int n = 0; n < 4096 && !input.Empty(); ++n) {
        const bool run = input.Flag();
        const int address = input.Number(0, layout::kImageSize - 1);
        const int length = run ? input.Number(1, 256) : 1;
        for (int i = 0; i < length && address + i < layout::kImageSize; ++i) {
            image.SetByte(address + i, input.Byte());
        }
    }
}

struct Document {
    std::vector<uint8_t> bytes;
    ModelType model;
    std::string name;
    bool modified;
    bool operator==(const Document&) const = default;
};

Document Taken(indMain& main) {
    const cmcEeprom& image = main.CurrentImage();
    return {std::vector<uint8_t>(image.GetData(), image.GetData() + image.GetSize()),
            main.CurrentModelType(), main.GetFileName(), main.IsModified()};
}

std::vector<uint8_t> RadioPart(const cmcEeprom& image) {
    return {image.GetData(), image.GetData() + layout::kRadioPartSize};
}

// A bank sheet of a bank without channels: each shows the same empty row.
bool IsEmptyBankSheet(const std::string& spec, const cmcEeprom& image) {
    const SheetSelector sheet = SplitSheetSpec(spec);
    const size_t number = sheet.args.find_first_of("0123456789");
    return sheet.style == "St_ChBank" && number != std::string::npos &&
           ReadBankSize(image, ReadDecimal(sheet.args.substr(number)).value) == 0;
}

// Every sheet; of the banks without channels the first stands for all.
void PaintEverySheet(fuzz::ProgramRig& rig) {
    bool emptyBankPainted = false;
    for (const std::string& spec : rig.SheetSpecs()) {
        if (IsEmptyBankSheet(spec, rig.Main().CurrentImage())) {
            if (emptyBankPainted) {
                continue;
            }
            emptyBankPainted = true;
        }
        fuzz::ProgramRig::PaintAll(rig.Open(spec));
    }
    rig.Main().CloseSheet();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ProgramRig& rig = fuzz::ProgramRig::Get();
    indMain& main = rig.Main();
    fuzz::InputReader input(data, size);
    rig.NewDocument(static_cast<ModelType>(input.Number(0, kModelTypes - 1)));
    // A file of the radio part as the program writes it, or of the whole document.
    const bool whole = input.Flag();
    const int mapRevision = input.Flag() ? input.Number(0, 9) : 4;
    cmcEeprom image;
    BuildImage(input, image);
    cmcTovFile file;
    file.SetImage(&image);
    file.SetModelId(layout::kModelCodeValue);
    file.SetMapRev(mapRevision);
    const AddressRangeList ranges = {{0, whole ? layout::kImageSize - 1 : layout::kRadioPartLast},
                                     {1, 0}};
    fuzz::Check(file.Write(rig.ScratchFile(0), ranges) == 0, "the clone file is written");

    const Document before = Taken(main);
    if (main.LoadFile(rig.ScratchFile(0)) != 0) {
        fuzz::Check(Taken(main) == before, "a refused file leaves the document as it was");
        return 0;
    }
    rig.Advance(20);
    PaintEverySheet(rig);
    fuzz::Check(main.SaveFile(rig.ScratchFile(1)) == 0, "a document taken in saves");
    const std::vector<uint8_t> saved = RadioPart(main.CurrentImage());
    fuzz::Check(main.LoadFile(rig.ScratchFile(1)) == 0, "a saved document opens again");
    fuzz::Check(RadioPart(main.CurrentImage()) == saved, "a saved document reads back as saved");
    return 0;
}
