#include "radio/image/ModelType.h"

#include <array>

#include "radio/image/ImageLayout.h"

ModelType ModelTypeFromImage(const cmcEeprom& image) {
    if (!image.IsValidAddress(layout::kMdcByte)) {
        return MT_Lmr;
    }
    const uint8_t* bytes = image.GetData();
    bool pmr = (bytes[layout::kModelByte] & layout::kPmrMask) != 0;
    if ((bytes[layout::kMdcByte] & layout::kMdcFittedMask) != 0) {
        return pmr ? MT_MdcPmr : MT_MdcLmr;
    }
    if ((bytes[layout::kSignallingByte] & layout::kVaskFittedMask) != 0) {
        return MT_VaskPmr;
    }
    return pmr ? MT_Pmr : MT_Lmr;
}

bool IsLmrType(ModelType model) {
    return model == MT_Lmr || model == MT_MdcLmr;
}

bool IsPmrType(ModelType model) {
    return model == MT_Pmr || model == MT_VaskPmr || model == MT_MdcPmr;
}

bool IsMdcType(ModelType model) {
    return model == MT_MdcLmr || model == MT_MdcPmr;
}

bool InGroup(ModelType model, ModelGroup group) {
    switch (group) {
        case ModelGroup::Lmr:
            return IsLmrType(model);
        case ModelGroup::Pmr:
            return IsPmrType(model);
        case ModelGroup::Mdc:
            return IsMdcType(model);
        case ModelGroup::Vask:
            return model == MT_VaskPmr;
        case ModelGroup::NotVask:
            return model != MT_VaskPmr;
        case ModelGroup::NotMdc:
            return !IsMdcType(model);
        default:
            return true;
    }
}

RecordKind ChannelKindOf(ModelType model) {
    switch (model) {
        case MT_Pmr:
            return RK_ChPmr;
        case MT_VaskPmr:
            return RK_ChVaskPmr;
        case MT_MdcLmr:
            return RK_ChMdcLmr;
        case MT_MdcPmr:
            return RK_ChMdcPmr;
        default:
            return RK_ChLmr;
    }
}

const char* ChannelSheetToken(ModelType model) {
    static constexpr std::array<const char*, 5> kTokens = {"LMR", "PMR", "PMRV", "MDCL", "PMRM"};
    return kTokens[ClampModelType(model)];
}

ModelType ClampModelType(int stored) {
    return stored >= MT_Lmr && stored <= MT_MdcPmr ? static_cast<ModelType>(stored) : MT_Lmr;
}
