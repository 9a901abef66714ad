// The print-options blocks (of the corbel and of the steel programs) and the block of the
// partial factors, each from the input's start and each with a write-read-write round
// trip of what was read; the remarks reader on its own.
#include "fuzz_support.h"

#include "base/alloc.h"
#include "core/print_options_ec2.h"
#include "core/safety_factors.h"
#include "report/print_options.h"

#include <string>

namespace {

template <typename Record, typename Init, typename Read, typename Write, typename Release>
void Block(const char* what, const uint8_t* data, size_t size, Init init, Read read, Write write,
           Release release)
{
    Record record{};
    init(&record);
    Fuzz_Stream in(data, size);
    if (read(in.get(), &record) != 0) {
        release(&record);
        return;
    }
    Fuzz_Capture out;
    if (write(out.get(), &record) != 0) std::abort();
    const std::string first = out.bytes();

    Record again{};
    init(&again);
    Fuzz_Stream in_again(first);
    if (read(in_again.get(), &again) != 0) Fuzz_Fail("fuzz_print_options", what, first, "(read failed)");
    Fuzz_Capture out_again;
    if (write(out_again.get(), &again) != 0) std::abort();
    const std::string second = out_again.bytes();
    if (first != second) Fuzz_Fail("fuzz_print_options", what, first, second);
    release(&record);
    release(&again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_Reset_Run();
    Block<EC2_Print_Options>(
        "corbel print options: write-read-write changed the block", data, size, Init_EC2_Print_Options,
        Read_EC2_Print_Options, Write_EC2_Print_Options, [](EC2_Print_Options* r) {
            if (r->remarks) MEM_FREE(r->remarks);
            r->remarks = nullptr;
        });
    Block<Steel_Print_Options>(
        "steel print options: write-read-write changed the block", data, size, Init_Steel_Print_Options,
        Read_Steel_Print_Options, Write_Steel_Print_Options, [](Steel_Print_Options* r) {
            if (r->remarks) MEM_FREE(r->remarks);
            r->remarks = nullptr;
        });
    Block<NAD_Safety_Factors>(
        "partial factors: write-read-write changed the block", data, size,
        [](NAD_Safety_Factors* r) { Init_NAD_Safety_Factors(r); }, Read_NAD_Safety_Factors,
        Write_NAD_Safety_Factors, [](NAD_Safety_Factors*) {});
    {
        Fuzz_Stream in(data, size);
        int length = 0;
        if (std::fscanf(in.get(), "%d", &length) == 1 && length >= 0 && length <= 100000) {
            std::string text;
            Read_Remarks_Text(in.get(), length, text);
        }
    }
    return 0;
}
