#include "tests/radio/support/ChannelRig.h"

#include <gtest/gtest.h>

#include "common/GetTextBlock.h"
#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/BankChannelEdits.h"
#include "radio/memmap/indChannelEdit.h"
#include "radio/records/datCh.h"

namespace radiotest {
namespace {

constexpr int kBaseFrequency = 400000000;
constexpr int kStep = 12500;
constexpr int kHiddenByte = 12;
constexpr uint8_t kTemplateHidden = 0xE7;

}  // namespace

ChannelRig::ChannelRig() {
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    bus.AddListener(OnEvent, this);
    shell.runListEdits = true;
    MakeTemplate();
    shell.image.Assign(shell.defaultImage);
    SetBanks({3, 5, 2});
    for (int position : {0, 1, 2, 3, 4, 5, 8, 9}) {
        PutChannel(position, position + 1);
    }
}

void ChannelRig::MakeTemplate() {
    cmcEeprom& empty = shell.defaultImage;
    datCh channel(&empty);
    for (int c = 0; c < layout::kChannelCount; ++c) {
        channel.Load(RK_ChPmr, c);
        channel.rfPower = 2;
        channel.name.fill(' ');
        channel.Store();
        empty.GetData()[layout::kChannelA.At(c) + kHiddenByte] = kTemplateHidden;
    }
}

void ChannelRig::SetBanks(const std::vector<int>& sizes) {
    for (int bank = 0; bank < layout::kBankCount; ++bank) {
        SetBankSize(shell.image, bank, bank < static_cast<int>(sizes.size()) ? sizes[bank] : 0);
    }
}

std::vector<int> ChannelRig::Banks(int count) {
    std::vector<int> sizes;
    for (int bank = 0; bank < count; ++bank) {
        sizes.push_back(GetBankSizeOf(shell.image, bank));
    }
    return sizes;
}

void ChannelRig::PutChannel(int position, int tag) {
    datCh channel(&shell.image);
    channel.Load(RK_ChPmr, position);
    channel.used = 1;
    channel.rxFreq = kBaseFrequency + tag * kStep;
    channel.txFreq = channel.rxFreq;
    std::string name = "CH " + std::to_string(tag) + "      ";
    std::copy_n(name.begin(), channel.name.size(), channel.name.begin());
    channel.Store();
    shell.image.GetData()[layout::kChannelA.At(position) + kHiddenByte] = static_cast<uint8_t>(tag);
}

int ChannelRig::Tag(uint32_t kind, int position) {
    datCh record(&shell.image);
    record.Load(kind, position);
    switch (kind) {
        case RK_MdcAlias:
            return record.id;
        case RK_Dtmf:
            return record.digitCount;
        default:
            return record.used ? (record.rxFreq - kBaseFrequency) / kStep : 0;
    }
}

std::vector<int> ChannelRig::Tags(uint32_t kind, int count) {
    std::vector<int> tags;
    for (int position = 0; position < count; ++position) {
        tags.push_back(Tag(kind, position));
    }
    return tags;
}

int ChannelRig::HiddenTag(int position) {
    int hidden = shell.image.GetData()[layout::kChannelA.At(position) + kHiddenByte];
    return hidden == kTemplateHidden ? 0 : hidden;
}

std::string ChannelRig::Line(const std::string& key) {
    return table.GetLine(key, 0);
}

std::string ChannelRig::Text(const std::string& key) {
    return GetTextBlock(table, key);
}

std::vector<std::string> ChannelRig::Lines(const std::vector<std::string>& keys) {
    std::vector<std::string> lines;
    for (const auto& key : keys) {
        lines.push_back(Line(key));
    }
    return lines;
}

std::vector<std::string> ChannelRig::Texts(const std::vector<std::string>& keys) {
    std::vector<std::string> texts;
    for (const auto& key : keys) {
        texts.push_back(Text(key));
    }
    return texts;
}

std::vector<std::string> ChannelRig::BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : boxes.boxes) {
        texts.push_back(box.text);
        EXPECT_EQ(box.caption, Line("GI_Sys_AppTitle"));
    }
    return texts;
}

std::vector<std::string> ChannelRig::StatusTexts() {
    std::vector<std::string> texts;
    for (const auto& event : events) {
        if (event.type == EV_StatusText) {
            texts.push_back(event.text);
        }
    }
    return texts;
}

void ChannelRig::OnEvent(void* data, const cmcEvent& event) {
    auto* rig = static_cast<ChannelRig*>(data);
    if (event.type == EV_QueryCurrentBank) {
        rig->bus.Answer(rig->openBank, 0);
        return;
    }
    rig->events.push_back(
        Event{event.type, event.A, event.B, event.Text(), IsBulkChannelDeleteRunning()});
    if (event.type == EV_InsertChannel || event.type == EV_DeleteChannel) {
        RunChannelEvent(rig->shell, event);
    }
}

}  // namespace radiotest
