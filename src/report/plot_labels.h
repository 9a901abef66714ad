#pragma once
// Framed and circled labels of the drawing writer: a text centred in a filled box with a
// frame, or in a filled disc with its circle, each as one group.

// The text centred on (x, y) in a filled box with a frame. The half height is
// 0.8 * size / y_scale (size is the text height in record units), the half width n times
// that for a text of n < 2 characters, else 0.8 * n times it.
void Plot_Write_Label_Box(const char* text, double x, double y, double size, double y_scale);
// Record " 13 size", then Plot_Write_Label_Box with the graphic's y scale.
void Plot_Write_Sized_Label_Box(double x, double y, double size, const char* text);
// Record " 4 2", then Plot_Write_Label_Box.
void Plot_Write_Label_Box_Pen2(double x, double y, double size, double y_scale,
                               const char* text);
// Record " 4 2", then Plot_Write_Label_Box of the formatted text (cut at 254 characters).
void Plot_Write_Formatted_Label_Box(double x, double y, double size, double y_scale,
                                    const char* format, ...)
    __attribute__((format(printf, 5, 6)));
// Record " 13 size", then the sized label of the number ("%d").
void Plot_Write_Number_Label_Box(double x, double y, double size, int number);

// One group: a solid dash record, fill index 0, " 4 2", a filled disc and a full circle
// about (x, y) of diameter n * 1.52 * size / y_scale for a text of n characters (1.5 times
// that for at most one character), and the text centred along the text angle.
void Plot_Write_Circled_Label(double x, double y, double size, double y_scale,
                              const char* text);
void Plot_Write_Circled_Label_Formatted(double x, double y, double size, double y_scale,
                                        const char* format, ...)
    __attribute__((format(printf, 5, 6)));
void Plot_Write_Circled_Label_Number(double x, double y, double size, double y_scale,
                                     int number);
