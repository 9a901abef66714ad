#include "core/startup.h"

int main(int argc, char** argv) { return Corbel_Main(argc, argv); }
