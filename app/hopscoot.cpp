// Program entry.
#include "app/run.h"

int main(int argc, char** argv) { return app::Run(argc, argv); }
