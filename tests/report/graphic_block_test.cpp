#include "report/graphic_block.h"

#include "test_support.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string kOpen = "\xAE";
const std::string kClose = "\xAF";

int Write_Caption_Line(FILE* stream, void* context)
{
    return std::fprintf(stream, "1 0 0\n%s\n", static_cast<const char*>(context)) > 0;
}
int Refuse_Line(FILE*, void*) { return 0; }

// The record as text, to compare records whole.
std::string Text_Of(const OLI_GRAPHIC_Picture_Info& p)
{
    return std::string(p.file_name, strnlen(p.file_name, sizeof p.file_name)) + "|" +
           std::to_string(p.pixels_x) + " " + std::to_string(p.pixels_y) + " " +
           std::to_string(p.resolution) + " " + std::to_string(p.width) + " " +
           std::to_string(p.height);
}
const std::string kDefaultInfo = Text_Of(OLI_DEFAULT_PICTURE_INFO);

}  // namespace

TEST(GraphicBlockHead, DefaultFullAndFailedForms)
{
    File_Stream out;
    EXPECT_EQ(OLI_Write_Graphic_Block(out.get(), nullptr), 0);
    EXPECT_EQ(out.bytes(), "\n\n#SHOWGRAFIC\n0 0 0\n0 0 0\n1\n0 10 0 5\n");

    File_Stream full;
    OLI_Graphic_Head head = OLI_DEFAULT_GRAPHIC_HEAD;
    head.flags = OLI_GRAPHIC_SECOND_WINDOW | 0x4u;
    head.head_line_1 = Write_Caption_Line;
    head.context = const_cast<char*>("Bild 1");
    head.kind = 3;
    head.window[1] = 12.5;
    head.second_window[0] = -1.25;
    head.second_window[3] = 1e-7;
    head.value = 33.333333333;
    EXPECT_EQ(OLI_Write_Graphic_Block(full.get(), &head), 0);
    EXPECT_EQ(full.bytes(), "\n\n#SHOWGRAFIC\n1 0 0\nBild 1\n0 0 0\n-999 65540 3\n"
                            "-1.25 0 0 1e-07\n0 12.5 0 5\n33.3333\n");

    EXPECT_EQ(OLI_Write_Graphic_Block(nullptr, nullptr), -1);
    File_Stream refused;
    head = OLI_DEFAULT_GRAPHIC_HEAD;
    head.head_line_2 = Refuse_Line;
    EXPECT_EQ(OLI_Write_Graphic_Block(refused.get(), &head), -1);
    EXPECT_EQ(refused.bytes(), "\n\n#SHOWGRAFIC\n0 0 0\n");
}

TEST(ImageRecord, ReferenceWithItsOptionalParts)
{
    File_Stream out;
    EXPECT_EQ(OLI_Write_Image_Reference(out.get(), 1.5, 2.0, "C:\\Bilder\\Ansicht.bmp", nullptr), 0);
    OLI_Image_Options options = OLI_DEFAULT_IMAGE_OPTIONS;
    options.flags = 0x10u | 0x01u | 0x04u;
    options.resolution = 600;
    options.scale_x = 0.5;
    options.width = 12.25;
    EXPECT_EQ(OLI_Write_Image_Reference(out.get(), 0.0, -3.125, "b.png", &options), 0);
    EXPECT_EQ(out.bytes(), "75 0 1.5 2 " + kOpen + "C:\\Bilder\\Ansicht.bmp" + kClose + "\n"
                           "75 21 0 -3.125 600 0.5 1 12.25 10 " + kOpen + "b.png" + kClose + "\n");
    EXPECT_EQ(OLI_Write_Image_Reference(nullptr, 0.0, 0.0, "b.png", nullptr), -1);
    EXPECT_EQ(OLI_Write_Image_Reference(out.get(), 0.0, 0.0, nullptr, nullptr), -1);
}

TEST(ImageRecord, EmbeddedBytesSixtyFourToALine)
{
    Temp_Dir dir;
    std::string bytes, hex;
    for (int i = 0; i < 64; ++i) {
        bytes += static_cast<char>(i * 4 + 3);
        char two[3];
        std::snprintf(two, sizeof two, "%.2x", i * 4 + 3);
        hex += two;
    }
    ASSERT_TRUE(Write_File_Bytes(dir.file("logo.bmp"), bytes));
    ASSERT_TRUE(Write_File_Bytes(dir.file("next.bmp"), bytes + "\xFF"));
    std::filesystem::create_directory(dir.file("Pos.2024"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("Pos.2024/bild"), ""));

    OLI_Image_Options options = OLI_DEFAULT_IMAGE_OPTIONS;
    options.flags = OLI_IMAGE_EMBEDDED;
    const std::string record = "75 4096 1 2 " + kOpen + ".bmp" + kClose + "\n{" + hex + "\n";
    File_Stream out;
    EXPECT_EQ(OLI_Write_Image_Reference(out.get(), 1.0, 2.0, dir.file("logo.bmp").c_str(), &options), 0);
    EXPECT_EQ(out.bytes(), record + "}\n");
    File_Stream longer;
    EXPECT_EQ(OLI_Write_Image_Reference(longer.get(), 1.0, 2.0, dir.file("next.bmp").c_str(), &options), 0);
    EXPECT_EQ(longer.bytes(), record + "ff}\n");

    // A dot in a folder name is no extension of the file; an empty file gives the braces.
    File_Stream dotted;
    const std::string path = dir.path() + "\\Pos.2024\\bild";
    EXPECT_EQ(OLI_Write_Image_Reference(dotted.get(), 0.0, 0.0, path.c_str(), &options), 0);
    EXPECT_EQ(dotted.bytes(), "75 4096 0 0 " + kOpen + kClose + "\n{}\n");

    // A picture that cannot be opened leaves nothing behind.
    File_Stream missing;
    EXPECT_EQ(OLI_Write_Image_Reference(missing.get(), 0.0, 0.0, dir.file("fehlt.bmp").c_str(), &options), -1);
    EXPECT_EQ(missing.bytes(), "");
}

TEST(PictureInfo, WrittenReadBackAndRefusedWhenIncomplete)
{
    File_Stream out;
    EXPECT_EQ(OLI_Write_Picture_Info(out.get(), nullptr), 1);
    EXPECT_EQ(out.bytes(), "OLI_GRAPHIC_Picture_Info\n" + kOpen + "???" + kClose +
                               "\n0 0\n300\n0.0000 0.0000\n");
    EXPECT_EQ(OLI_Write_Picture_Info(nullptr, nullptr), 0);

    OLI_GRAPHIC_Picture_Info info = {"Grundri\xE1.bmp", 1024, 768, 150, 17.3397, 13.0048};
    File_Stream record;
    EXPECT_EQ(OLI_Write_Picture_Info(record.get(), &info), 1);
    std::rewind(record.get());
    OLI_GRAPHIC_Picture_Info back;
    EXPECT_EQ(OLI_Read_Picture_Info(record.get(), &back), 1);
    EXPECT_EQ(Text_Of(back), Text_Of(info));

    // A name that fills all 20 bytes is written up to there, never beyond.
    std::memset(info.file_name, 'n', sizeof info.file_name);
    File_Stream full_name;
    EXPECT_EQ(OLI_Write_Picture_Info(full_name.get(), &info), 1);
    EXPECT_NE(full_name.bytes().find(kOpen + std::string(20, 'n') + kClose + "\n"), std::string::npos);

    const std::string name = kOpen + "a" + kClose + "\n";
    const std::string refused[] = {
        "OLI_GRAPHIC_Picture_Inf\n" + name + "1 2\n3\n4 5\n",
        std::string(300, 'O') + "\n" + name + "1 2\n3\n4 5\n",
        "OLI_GRAPHIC_Picture_Info\n1 2\n3\n4 5\n",
        "OLI_GRAPHIC_Picture_Info\n" + name + "1\n",
        "OLI_GRAPHIC_Picture_Info\n" + name + "1 2\n3\n4 x\n",
        "",
    };
    for (const std::string& text : refused) {
        File_Stream in(text);
        std::memset(&back, 0x5A, sizeof back);
        EXPECT_EQ(OLI_Read_Picture_Info(in.get(), &back), 0) << text;
        EXPECT_EQ(Text_Of(back), kDefaultInfo) << text;
    }

    // CR LF lines and an over-long name: cut to 19 characters, the numbers still in step.
    File_Stream in(To_CRLF("OLI_GRAPHIC_Picture_Info\n" + kOpen + std::string(40, 'q') + kClose +
                           "\n10 20\n72\n1.5 2.5\n"));
    EXPECT_EQ(OLI_Read_Picture_Info(in.get(), &back), 1);
    EXPECT_EQ(Text_Of(back), std::string(19, 'q') + "|10 20 72 1.500000 2.500000");
    EXPECT_EQ(OLI_Read_Picture_Info(in.get(), nullptr), 0);
}

TEST(PictureInfo, AskedOfThePictureTool)
{
    Temp_Dir exec_dir, temp_dir;
    const std::string tool = exec_dir.file("Brosquel.exe");
    ASSERT_TRUE(Write_File_Bytes(tool,
        "#!/bin/sh\n[ -f \"$1\" ] || exit 1\n"
        "printf 'OLI_GRAPHIC_Picture_Info\\n\\256%s\\257\\n640 480\\n96\\n16.9333 12.7000\\n' "
        "\"$(basename \"$1\")\" > \"$2\"\n"));
    ASSERT_EQ(::chmod(tool.c_str(), 0755), 0);
    const std::string picture = temp_dir.file("bild.png");
    ASSERT_TRUE(Write_File_Bytes(picture, "PNG"));

    const char* old_temp = std::getenv("TEMP");
    const char* old_exec = std::getenv("EXEC");
    const std::string saved_temp = old_temp ? old_temp : "", saved_exec = old_exec ? old_exec : "";
    ::setenv("TEMP", temp_dir.path().c_str(), 1);
    ::setenv("EXEC", exec_dir.path().c_str(), 1);

    OLI_GRAPHIC_Picture_Info info;
    EXPECT_EQ(OLI_Get_Picture_Info(picture.c_str(), &info), 1);
    EXPECT_EQ(Text_Of(info), "bild.png|640 480 96 16.933300 12.700000");
    // No answer for a missing picture, nothing without a picture or without EXEC.
    EXPECT_EQ(OLI_Get_Picture_Info(temp_dir.file("fehlt.png").c_str(), &info), 0);
    EXPECT_EQ(Text_Of(info), kDefaultInfo);
    EXPECT_EQ(OLI_Get_Picture_Info(nullptr, &info), 0);
    ::unsetenv("EXEC");
    EXPECT_EQ(OLI_Get_Picture_Info(picture.c_str(), &info), 0);

    // No temporary answer is left behind: only the picture remains.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(temp_dir.path())) files += entry.exists();
    EXPECT_EQ(files, 1);

    if (old_temp) ::setenv("TEMP", saved_temp.c_str(), 1); else ::unsetenv("TEMP");
    if (old_exec) ::setenv("EXEC", saved_exec.c_str(), 1); else ::unsetenv("EXEC");
}
