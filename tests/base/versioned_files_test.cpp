#include "base/versioned_files.h"

#include "base/alloc.h"
#include "base/component_files.h"
#include "platform/messages.h"
#include "file_size_limit.h"
#include "test_support.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

// Writes a file of version 2 with one structure of version 1 holding every field type.
std::string Written_Sample()
{
    File_Stream out;
    EXPECT_EQ(Begin_Data_File_Write(out.get(), 2.0), 0);
    EXPECT_EQ(Write_Data_Comment("Konsole\nzweite Zeile"), 0);
    EXPECT_EQ(Write_Data_Struct_Version(1.0), 0);
    const int i = -17;
    const double d = 1234.5;
    const char c = 'K';
    EXPECT_EQ(Write_Data_Field(&i, 'i'), 0);
    EXPECT_EQ(Write_Data_Field(&d, 'd'), 0);
    EXPECT_EQ(Write_Data_Field(&c, 'c'), 0);
    EXPECT_EQ(Write_Data_Field("C 30/37\tneu", 's'), 0);
    EXPECT_EQ(Write_Data_Field("", 't'), 0);
    EXPECT_EQ(Write_Data_Field(std::string(300, 'x').c_str(), 's'), 0);
    EXPECT_EQ(Write_Data_Default_Field('d'), 0);
    EXPECT_EQ(Write_Data_Long_Text("  zwei Zeilen\nmit # und Blanks "), 0);
    EXPECT_EQ(Write_Data_Long_Text(nullptr), 0);
    EXPECT_EQ(End_Data_Struct_Write(), 0);
    return out.bytes();
}

} // namespace

TEST(VersionedDataFile, RoundTripAndDefaultsOfLaterFields)
{
    const std::string bytes = Written_Sample();
    EXPECT_EQ(bytes.rfind(" 2.000000  # Datenversionsnummer\n# Konsole zweite Zeile\n"
                          " 1.000000 # Strukturversionsnummer\n",
                          0),
              0u)
        << bytes;
    // Blanks and the tab are written as the byte 0x8C; the empty text as the marker.
    EXPECT_NE(bytes.find(" C\x8C" "30/37\x8Cneu "), std::string::npos);
    EXPECT_NE(bytes.find(std::string(" ") + Data_Empty_Marker + " "), std::string::npos);
    EXPECT_EQ(std::strlen(Data_Empty_Marker), 10u);

    File_Stream in(bytes);
    ASSERT_EQ(Begin_Data_File_Read(in.get(), 3.0), 0);
    EXPECT_EQ(Get_Data_File_Version(), 2.0);
    ASSERT_EQ(Begin_Data_Struct_Read(1.0), 0);
    EXPECT_EQ(Get_Data_Struct_Version(), 1.0);

    int i = 0;
    double d = 0;
    char c = 0;
    char text[DATA_TEXT_MAX + 1];
    std::string any;
    EXPECT_EQ(Read_Data_Field(&i, 'i', 0.0, 0.0), 0);
    EXPECT_EQ(i, -17);
    EXPECT_EQ(Read_Data_Field(&d, 'd', 1.0, 0.0), 0);
    EXPECT_EQ(d, 1234.5);
    EXPECT_EQ(Read_Data_Field(&c, 'c', 0.0, 0.0), 0);
    EXPECT_EQ(c, 'K');
    EXPECT_EQ(Read_Data_Field(text, 's', 0.0, 0.0), 0);
    EXPECT_STREQ(text, "C 30/37 neu");
    EXPECT_EQ(Read_Data_Text(&any, 0.0, "x"), 0);
    EXPECT_EQ(any, "");
    EXPECT_EQ(Read_Data_Field(text, 's', 0.0, 0.0), 0);
    EXPECT_EQ(std::string(text), std::string(DATA_TEXT_MAX, 'x'));
    EXPECT_EQ(Read_Data_Field(&d, 'd', 0.0, 0.0), 0);
    EXPECT_EQ(d, -1.0);
    char* long_text = nullptr;
    EXPECT_EQ(Read_Data_Long_Text(&long_text, 0.0, nullptr), 0);
    ASSERT_NE(long_text, nullptr);
    EXPECT_STREQ(long_text, "  zwei Zeilen\nmit # und Blanks ");
    MEM_FREE(long_text);
    EXPECT_EQ(Read_Data_Long_Text(&long_text, 0.0, nullptr), 0);
    EXPECT_EQ(long_text, nullptr);

    // Fields newer than the structure get their defaults and read nothing.
    EXPECT_EQ(Read_Data_Field(&i, 'i', 2.0, 2.5), 0);
    EXPECT_EQ(i, 3);
    EXPECT_EQ(Read_Data_Field(&i, 'i', 2.0, -2.5), 0);
    EXPECT_EQ(i, -3);
    EXPECT_EQ(Read_Data_Int_Since(1.5, 7.4), 7);
    EXPECT_EQ(Read_Data_Field(&d, 'd', 2.0, 0.125), 0);
    EXPECT_EQ(d, 0.125);
    EXPECT_EQ(Read_Data_Field(text, 't', 2.0, 0.0), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(Read_Data_Text(&any, 2.0, "vorgegeben"), 0);
    EXPECT_EQ(any, "vorgegeben");
    EXPECT_EQ(Read_Data_Long_Text(&long_text, 2.0, "lang"), 0);
    ASSERT_NE(long_text, nullptr);
    EXPECT_STREQ(long_text, "lang");
    MEM_FREE(long_text);

    EXPECT_EQ(End_Data_Struct_Read(), 0);
    EXPECT_EQ(End_Data_Struct_Read(), 1);  // nothing open any more
    EXPECT_EQ(Get_Data_Struct_Version(), 2.0);
    EXPECT_EQ(Read_Data_Int(&i), 1);       // end of the file
}

TEST(VersionedDataFile, VersionsAndDamagedFilesAreRefused)
{
    Clear_Shown_Messages();
    {
        File_Stream in(" 3.000000  # Datenversionsnummer\n");
        EXPECT_EQ(Begin_Data_File_Read(in.get(), 2.0), 2);
        ASSERT_EQ(Shown_Messages().size(), 1u);
        EXPECT_EQ(Shown_Messages()[0].text, "Alte Programmversion -> kann Daten nicht lesen!");
    }
    {
        File_Stream in(" -1.000000\n");
        EXPECT_EQ(Begin_Data_File_Read(in.get(), 2.0), -1);
    }
    {
        File_Stream in("# nur Kommentar\n");
        EXPECT_EQ(Begin_Data_File_Read(in.get(), 2.0), 1);
        EXPECT_EQ(Begin_Data_File_Read(nullptr, 2.0), 1);
    }
    {
        // A newer structure is refused but stays paired with its end.
        File_Stream in(" 1.0\r\n   # Kommentar\r\n 5.0 # Strukturversionsnummer\r\n 4 \r\n");
        ASSERT_EQ(Begin_Data_File_Read(in.get(), 1.0), 0);
        EXPECT_EQ(Begin_Data_Struct_Read(1.0), 2);
        EXPECT_EQ(End_Data_Struct_Read(), 0);
        int i = 0;
        EXPECT_EQ(Read_Data_Int(&i), 0);
        EXPECT_EQ(i, 4);
    }
    char* text = reinterpret_cast<char*>(1);
    for (const char* body : {" 1048577  x\n", " -3  x\n", " 10  kurz\n"}) {
        File_Stream in(std::string(" 1.0\n 1.0\n") + body);
        ASSERT_EQ(Begin_Data_File_Read(in.get(), 1.0), 0);
        ASSERT_EQ(Begin_Data_Struct_Read(1.0), 0);
        EXPECT_EQ(Read_Data_Long_Text(&text, 0.0, nullptr), 1) << body;
        EXPECT_EQ(text, nullptr);
    }
    {
        // A word longer than a text field is cut; the next field is still found.
        File_Stream in(" 1.0\n 1.0\n " + std::string(400, 'w') + "  12 \n");
        ASSERT_EQ(Begin_Data_File_Read(in.get(), 1.0), 0);
        ASSERT_EQ(Begin_Data_Struct_Read(1.0), 0);
        char field[DATA_TEXT_MAX + 1];
        EXPECT_EQ(Read_Data_Field(field, 's', 0.0, 0.0), 0);
        EXPECT_EQ(std::strlen(field), static_cast<size_t>(DATA_TEXT_MAX));
        long pos = Get_Data_Read_Pos();
        int i = 0;
        EXPECT_EQ(Read_Data_Int(&i), 0);
        EXPECT_EQ(i, 12);
        EXPECT_EQ(Set_Data_Read_Pos(pos), 0);
        EXPECT_EQ(Skip_Data_Field('i'), 0);
        EXPECT_EQ(Skip_Data_Field('i'), 1);
    }
    Clear_Shown_Messages();
}

namespace {

std::string backup_data = "Position 1\n";
std::string backup_read;
int backup_read_result = 0;

int Write_Backup_Data(FILE* f) { return std::fputs(backup_data.c_str(), f) < 0 ? 1 : 0; }
int Read_Backup_Data(FILE* f)
{
    char line[100] = "";
    if (std::fgets(line, sizeof line, f)) backup_read = line;
    return backup_read_result;
}

} // namespace

TEST(TempBackup, OfferAfterAnIrregularEnd)
{
    Temp_Dir dir;
    Init_Temp_Backup(Read_Backup_Data, Write_Backup_Data, (dir.path() + "/").c_str(), "B1_01", nullptr);
    EXPECT_EQ(Temp_Backup_Name(), dir.file("B1_01.bak"));
    EXPECT_EQ(Second_Copy_Name(), dir.file("B1_01.clcbak"));
    Clear_Shown_Messages();

    // No backup: nothing happens.
    EXPECT_EQ(Offer_Temp_Backup(), 0);
    EXPECT_TRUE(Shown_Messages().empty());

    // A backup with the current data is removed without a question.
    backup_data = "Position 1\n";
    ASSERT_EQ(Write_Temp_Backup(), 0);
    ASSERT_EQ(Write_Second_Copy(), 0);
    EXPECT_EQ(Offer_Temp_Backup(), 0);
    EXPECT_TRUE(Shown_Messages().empty());
    EXPECT_FALSE(Temp_Backup_Exists());
    EXPECT_FALSE(File_Exists(Second_Copy_Name().c_str()));

    // Other data: the user is asked; "no" drops the backup.
    ASSERT_EQ(Write_Temp_Backup(), 0);
    backup_data = "Position 2\n";
    Set_Message_Answer(0);
    backup_read.clear();
    EXPECT_EQ(Offer_Temp_Backup(), 0);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_TRUE(Shown_Messages()[0].question);
    EXPECT_EQ(Shown_Messages()[0].text.rfind("Es existiert noch eine tempor\xE4re Sicherung, die w\xE4hrend\n", 0), 0u);
    EXPECT_EQ(backup_read, "");
    EXPECT_FALSE(Temp_Backup_Exists());

    // "yes" reads the backup; a backup that cannot be read is told and answers 1.
    backup_data = "Position 1\n";
    ASSERT_EQ(Write_Temp_Backup(), 0);
    backup_data = "Position 2\n";
    Set_Message_Answer(1);
    EXPECT_EQ(Offer_Temp_Backup(), 0);
    EXPECT_EQ(backup_read, "Position 1\n");
    ASSERT_EQ(Write_Temp_Backup(), 0);
    backup_data = "Position 3\n";
    backup_read_result = 1;
    Clear_Shown_Messages();
    EXPECT_EQ(Offer_Temp_Backup(), 1);
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[1].text, "Datensatz der tempor\xE4ren Sicherung nicht lesbar!");
    EXPECT_FALSE(Temp_Backup_Exists());
    backup_read_result = 0;
    Set_Message_Answer(0);
    Clear_Shown_Messages();

    // Changes are measured against the second copy.
    ASSERT_EQ(Write_Second_Copy(), 0);
    EXPECT_EQ(Has_Data_Changed(), 0);
    backup_data = "Position 4\n";
    EXPECT_EQ(Has_Data_Changed(), 1);
    EXPECT_EQ(Remove_All_Backups(), 0);

    // A further name whose file is missing counts as changed.
    Init_Temp_Backup(Read_Backup_Data, Write_Backup_Data, (dir.path() + "/").c_str(), "B1_01",
                     dir.file("fehlt").c_str());
    EXPECT_EQ(Has_Data_Changed(), 1);

    // Switched off: nothing is written, opened or compared.
    Disable_Temp_Backup();
    EXPECT_EQ(Write_Temp_Backup(), 1);
    EXPECT_EQ(Open_Temp_Backup_For_Read(), nullptr);
    EXPECT_EQ(Compare_Files(dir.file("a").c_str(), dir.file("a").c_str()), 1);
    Init_Temp_Backup(nullptr, nullptr, (dir.path() + "/").c_str(), "x", nullptr);
    EXPECT_EQ(Write_Temp_Backup(), 1);  // no write function
}

TEST(TempBackup, FileHelpers)
{
    Temp_Dir dir;
    Init_Temp_Backup(nullptr, nullptr, "", "", nullptr);
    ASSERT_TRUE(Write_File_Bytes(dir.file("B1_01.EXP"), std::string("a\0b\r\n", 5)));
    EXPECT_EQ(File_Exists(dir.file("B1_01.EXP").c_str()), 1);
    EXPECT_EQ(File_Exists(dir.file("nix").c_str()), 0);
    EXPECT_EQ(Copy_File(dir.file("B1_01.EXP").c_str(), dir.file("copy").c_str()), 0);
    EXPECT_EQ(Read_File_Bytes(dir.file("copy")), std::string("a\0b\r\n", 5));
    EXPECT_EQ(Compare_Files(dir.file("B1_01.EXP").c_str(), dir.file("copy").c_str()), 0);
    ASSERT_TRUE(Write_File_Bytes(dir.file("other"), std::string("a\0c\r\n", 5)));
    EXPECT_EQ(Compare_Files(dir.file("B1_01.EXP").c_str(), dir.file("other").c_str()), 1);
    EXPECT_EQ(Compare_Files(dir.file("B1_01.EXP").c_str(), dir.file("nix").c_str()), 1);
    EXPECT_EQ(Copy_File(dir.file("nix").c_str(), dir.file("copy2").c_str()), 1);
    EXPECT_EQ(Copy_File(dir.file("B1_01.EXP").c_str(), dir.file("nodir/copy").c_str()), 1);

    Set_Component_Path((dir.path() + "\\B1").c_str());
    EXPECT_EQ(Copy_Component_File_To("_01.EXP", "_01_TMP.EXP"), 0);
    EXPECT_EQ(Read_File_Bytes(dir.file("B1_01_TMP.EXP")), std::string("a\0b\r\n", 5));
    EXPECT_EQ(Copy_Component_File_To("_02.EXP", "_02_TMP.EXP"), 1);
    Set_Component_Path("");
}

namespace {

int Write_Half_Then_Fail(FILE* f)
{
    std::fputs("Position ", f);
    return 1;
}

} // namespace

TEST(TempBackup, FailedWritesKeepTheOlderFiles)
{
    Temp_Dir dir;
    const std::string folder = dir.path() + "/";
    Init_Temp_Backup(Read_Backup_Data, Write_Backup_Data, folder.c_str(), "B1_01", nullptr);
    backup_data = "Position 1\n";
    ASSERT_EQ(Write_Second_Copy(), 0);

    // Data the disk refuses: the copy keeps the older data.
    backup_data = std::string(100000, 'x');
    EXPECT_EQ(Run_With_File_Size_Limit(1000, [] { return Write_Second_Copy(); }), 1);
    EXPECT_EQ(Read_File_Bytes(Second_Copy_Name()), "Position 1\n");
    backup_data = "Position 1\n";

    // A write function that fails: the same; and an older comparison file equal to the
    // second copy does not answer for data that could not be written.
    Init_Temp_Backup(Read_Backup_Data, Write_Half_Then_Fail, folder.c_str(), "B1_01", nullptr);
    EXPECT_EQ(Write_Second_Copy(), 1);
    EXPECT_EQ(Read_File_Bytes(Second_Copy_Name()), "Position 1\n");
    ASSERT_TRUE(Write_File_Bytes(Compare_File_Name(), "Position 1\n"));
    EXPECT_EQ(Has_Data_Changed(), 1);

    // A copy that fails half way leaves the destination as it was.
    ASSERT_TRUE(Write_File_Bytes(dir.file("source"), std::string(100000, 's')));
    const std::string source = dir.file("source");
    EXPECT_EQ(Run_With_File_Size_Limit(1000, [&] { return Copy_File(source.c_str(), Second_Copy_Name().c_str()); }), 1);
    EXPECT_EQ(Read_File_Bytes(Second_Copy_Name()), "Position 1\n");
    EXPECT_EQ(Folder_Names(dir.path()), (std::set<std::string>{"B1_01.clcbak", "B1_01.cmp", "source"}));
    Remove_All_Backups();
}
