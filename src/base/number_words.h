#pragma once
// Whole numbers written out as German words (code page 850 text) and lists of
// integers as German text ("1 bis 3, 7 und 9").
//
// Every routine returns a module buffer that stays valid until the next call of the
// same routine (the word routines build on each other, so a result must be copied
// before another word routine of a lower level is called).

// "ein"/"eins" (final set) ... "neunzehn"; "-Fehler-" for any other n.
const char* Get_Number_Word_Below_20(int n, int final);
// "zwanzig" ... "neunzig" by n div 10; "-Fehler-" otherwise.
const char* Get_Tens_Word(int n);
const char* Get_Number_Word_Below_100(int n, int final);
const char* Get_Number_Word_Below_1000(int n, int final);
const char* Get_Number_Words_Below_Million(unsigned n);
const char* Get_Number_Words_Below_Milliard(unsigned n);
const char* Get_Number_Words_Full(unsigned n);
// "Null" for 0, "Zahl zu gross" from 4294967286 on, else the words with a capital
// first letter ("Einhundertdreiundzwanzig").
const char* Number_To_Words(unsigned n);
// "keiner", "einer", "zwei" ... "neun" for 0..9, else the number.
const char* Get_Count_Word(int n);

// The values as German text: runs rising by 1 as "a bis b", the last value always on
// its own, the last separator " und". "" for n < 1 or no array.
const char* Format_Int_List(int n, const int values[]);
