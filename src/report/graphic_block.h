#pragma once
// Pictures in a design report: the head of a graphic block written from a record, the
// image record of a graphic block (a reference to a picture file, or the file's bytes
// embedded), and the picture information that the environment's picture tool
// (Brosquel) reports for a picture file.
//
// Forms (code page 850; « » are the bytes 0xAE and 0xAF):
//   graphic head      "\n\n#SHOWGRAFIC\n", two head lines (callbacks, else "0 0 0"),
//                     ["-999 <flags> "] "<kind>\n", [second window,] window, [value]
//   image record      "75 <flags> <x> <y>" [resolution] [scales] [width height] " «name»\n"
//                     embedded: the name's extension, then "{" hex bytes, 64 a line, "}\n"
//   picture info      "OLI_GRAPHIC_Picture_Info\n«name»\n<px> <py>\n<dpi>\n<w> <h>\n"
// Numbers of the head and the image record are written "%.6g", the picture sizes "%.4f".
#include <cstdint>
#include <cstdio>

// Writes one head line into the stream; non-zero result = success.
using OLI_Graphic_Head_Callback = int (*)(FILE* stream, void* context);

// Flag of the graphic head: the second window is written before the window.
constexpr uint32_t OLI_GRAPHIC_SECOND_WINDOW = 0x10000u;

struct OLI_Graphic_Head {
    uint32_t flags;                        // written as "-999 %d " when not 0
    OLI_Graphic_Head_Callback head_line_1; // null: "0 0 0"
    OLI_Graphic_Head_Callback head_line_2; // null: "0 0 0"
    int32_t kind;                          // default 1
    double window[4];                      // default 0, 10, 0, 5
    double value;                          // default 50, written for kind 3
    double second_window[4];               // written with flag 0x10000
    void* context;                         // handed to the callbacks
};

extern const OLI_Graphic_Head OLI_DEFAULT_GRAPHIC_HEAD;

// Flags of the image record.
constexpr uint32_t OLI_IMAGE_SCALES = 0x01u;       // the two scale factors follow
constexpr uint32_t OLI_IMAGE_SIZE_MASK = 0x0Eu;    // any of 0x02, 0x04, 0x08: width, height
constexpr uint32_t OLI_IMAGE_RESOLUTION_MASK = 0x30u; // 0x10 or 0x20: the resolution
constexpr uint32_t OLI_IMAGE_EMBEDDED = 0x1000u;   // the file's bytes follow the record

struct OLI_Image_Options {
    uint32_t flags;
    int32_t resolution;   // default 300
    double scale_x;       // default 1.0
    double scale_y;       // default 1.0
    double width;         // default 10.0
    double height;        // default 10.0
};

extern const OLI_Image_Options OLI_DEFAULT_IMAGE_OPTIONS;

constexpr int OLI_PICTURE_NAME_SIZE = 20;  // at most 19 characters

struct OLI_GRAPHIC_Picture_Info {
    char file_name[OLI_PICTURE_NAME_SIZE];  // default "???"
    int32_t pixels_x;
    int32_t pixels_y;
    int32_t resolution;                     // default 300
    double width;
    double height;
};

extern const OLI_GRAPHIC_Picture_Info OLI_DEFAULT_PICTURE_INFO;

// Writes the head of a graphic block from the record (null: the default record).
// 0, or -1 for a null stream, a write error or a zero callback result.
int OLI_Write_Graphic_Block(FILE* stream, const OLI_Graphic_Head* head);

// Writes an image record at (x, y) for the picture file (options null: the default).
// With the embedded flag the file is read first; nothing is written when it cannot be.
// 0, or -1 for a null stream or name, a write error or a picture file that cannot be
// opened or read.
int OLI_Write_Image_Reference(FILE* stream, double x, double y, const char* file_name,
                              const OLI_Image_Options* options);

// Writes the picture information (null: the default record). 1 on success, 0 for a null
// stream or a failed write.
int OLI_Write_Picture_Info(FILE* stream, const OLI_GRAPHIC_Picture_Info* info);

// Reads a picture information record. The record is set to the default first and takes
// the values read only when the whole record was read: the keyword, the name (at most 19
// characters kept), the pixels, the resolution and the sizes. 1 when read, else 0 (also
// for a null stream or record).
int OLI_Read_Picture_Info(FILE* stream, OLI_GRAPHIC_Picture_Info* info);

// Asks the picture tool "<EXEC>\Brosquel.exe" (run with the picture file and a temporary
// file name, waiting for it) for the picture's information and reads its answer from the
// temporary file, which is removed afterwards. The record is set to the default first.
// 1 when filled, 0 without a picture file, without "EXEC" or without the tool's answer.
int OLI_Get_Picture_Info(const char* picture_file, OLI_GRAPHIC_Picture_Info* info);
