#pragma once
// A host for the annex part pages, as the annex editor hosts them: a full-screen sheet of
// 1024 x 768 with a scroll area from (20, 20) to (520, 748) (vertical slider right of it)
// and an OK button at (900, 20); the page is drawn again after every change the area
// reports, until OK is clicked. A content point (x, y) of the page, unscrolled, is the
// screen point (20 + x, 20 + y).
#include "platform/screen/screen.h"
#include "toolkit/scroll_area.h"

#include <functional>
#include <string>

struct Part_Page_Host {
    static constexpr int AREA_X = 20, AREA_Y = 20;
    static constexpr const char* OK = "click 910 28\n";

    // A click on the content point.
    static std::string Click(int x, int y)
    {
        return "click " + std::to_string(AREA_X + x) + " " + std::to_string(AREA_Y + y) + "\n";
    }
    // A number typed into the field whose text starts at content x on base line y.
    static std::string Type_Into(int x, int y, const std::string& number)
    {
        return Click(x + 4, y - 2) + "text \"" + number + "\"\nkey Up\n";
    }

    // Runs the page (draw is called with the area for every build) and returns the
    // number of builds.
    static int Run(const std::function<void(int)>& draw)
    {
        Init_Prop_Sheets();
        Define_Prop_Sheet(0, 0, 1023, 767, 0, 0, "", 1, 1);
        Add_Single_Button_to_PS(900, 20, 0, 2, "OK", nullptr, 0);
        const int area = Area_Create(AREA_X, AREA_Y, 537, 748, 0, 1);
        draw(area);
        Activate_Prop_Sheet();
        int builds = 1;
        for (;;) {
            const int code = Edit_Prop_Sheet();
            if (code == 2) break;
            if (code == 1 && Area_Handle_Event(area)) {
                draw(area);
                ++builds;
            }
        }
        Area_Delete(area);
        Undefine_Prop_Sheet();
        return builds;
    }
};
