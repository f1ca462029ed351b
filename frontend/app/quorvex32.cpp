#include "app/run_edition.h"

int main(int argc, char** argv) { return frontend::RunEdition(frontend::Edition::NonLinear, argc, argv); }
