// The viewer's readers: a report read whole and read in pieces from a stream, each laid
// out (the two must give the same pages), and a drawing file laid out from its bytes and
// from a stream (the same items).
#include "fuzz_support.h"

#include "viewer/drawing_document.h"
#include "viewer/page_layout.h"
#include "viewer/report_document.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_Reset_Run();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Laid_Out_Document drawing;
    if (Lay_Out_Drawing(bytes, drawing)) {
        Fuzz_Stream in(data, size);
        Line_Source lines(in.get());
        Laid_Out_Document streamed;
        Lay_Out_Drawing(lines, streamed);
        if (!lines.Holds_Nul() && streamed.pages[0].items.size() != drawing.pages[0].items.size())
            Fuzz_Fail("fuzz_report_view", "the drawing read as a stream differs from the one read whole",
                      std::to_string(streamed.pages[0].items.size()), std::to_string(drawing.pages[0].items.size()));
        return 0;
    }
    const Laid_Out_Document whole = Lay_Out_Report(Read_Report(bytes));
    Fuzz_Stream in(data, size);
    Report_Reader reader(in.get());
    size_t pages = 0;
    Page_Sink sink;
    sink.take = [&](const Page&) {
        ++pages;
        return true;
    };
    Lay_Out_Report_In_Pieces(reader, sink);
    // A NUL ends the reading in pieces (no text); the whole reading goes on over it.
    if (!reader.Holds_Nul() && pages != whole.pages.size())
        Fuzz_Fail("fuzz_report_view", "the pages read in pieces differ from those read whole",
                  std::to_string(pages), std::to_string(whole.pages.size()));
    return 0;
}
