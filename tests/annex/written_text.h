#pragma once
// The bytes that a writer puts into a stream.
#include "test_support.h"

#include <cstdio>
#include <string>

// What the writer, called with an empty stream, writes into it.
template <typename Write>
std::string Output(Write write)
{
    File_Stream out;
    write(out.get());
    return out.bytes();
}

// What a part's (or a set's) writer makes of the value.
template <typename T>
std::string Text_Of(void (*write)(FILE*, const T*), const T& value)
{
    return Output([&](FILE* stream) { write(stream, &value); });
}
