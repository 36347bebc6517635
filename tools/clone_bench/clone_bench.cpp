// Times a clone read or a clone write of the whole radio part (0..32735) at 38,400 bit/s
// through the real serial port of port 1 (MERROW_COM1 names the device, such as the simulated
// radio's pty), with the engine set up as the cloning program sets it up. Prints the elapsed
// time, the code and the pauses the exchange prescribes (100 ms after each port open).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "radio/clone/CDrvCodes.h"
#include "radio/clone/cmcCloneDrv.h"
#include "radio/image/cmcEeprom.h"
#include "tools/clone_radio/RealTimeDriver.h"
#include "tools/clone_radio/WakeScript.h"

namespace {

constexpr int kRadioSize = 32736;
constexpr double kFlushSeconds = 0.1;

void Configure(cmcCloneDrv& drv, const std::string& script, bool write) {
    drv.SetModelWords(0x2726, 0);
    drv.SetMemorySize(write ? kRadioSize : 48880);
    drv.SetPort(1, "38400,N,8,1");
    drv.SetCommandPreamble(48);
    drv.SetDataPreambles(0);
    drv.SetScript(script);
    drv.SetEchoCheck(1);
    drv.SetSendFrameCount(1);
    drv.SetWaitFirstAck(1);
    drv.SetAckInterval(128, 96);
    drv.SetDefaultTimeout(write ? 2000 : 1000);
    if (write)
        drv.SetAckTimeout(20000);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "read";
    if (mode != "read" && mode != "write") {
        std::fprintf(stderr, "usage: clone_bench [read|write]\n");
        return 2;
    }
    const bool write = mode == "write";
    sim::RealTimeDriver driver;
    cmcCloneDrv drv;
    const std::string script = sim::WakeScript(true, write);
    Configure(drv, script, write);
    // Each group in parentheses reopens the port, and so does the transfer.
    const long opens = std::count(script.begin(), script.end(), '(') + 1;

    cmcEeprom image;
    image.Resize(kRadioSize);
    for (int a = 0; a < kRadioSize; ++a)
        image.SetByte(a, static_cast<uint8_t>(a * 7 + (a >> 8)));
    const AddressRangeList ranges = {{0, kRadioSize - 1}};
    std::optional<int> code;
    const auto done = [&](dst_CDrv_Result& result) { code = result.code; };
    const auto start = std::chrono::steady_clock::now();
    if (write)
        drv.StartWrite(image, &ranges, done);
    else
        drv.StartRead(&ranges, done);
    driver.RunUntil([&] { return code.has_value(); }, 120000);
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: elapsed %.3f s, code %d, %d data bytes\n", mode.c_str(), elapsed,
                code.value_or(-1), drv.GetDataBytes());
    std::printf("prescribed pauses %.3f s (%ld port opens)\n",
                static_cast<double>(opens) * kFlushSeconds, opens);
    return code == CDRV_Ok ? 0 : 1;
}
