#include "app/Application.h"

int main(int argc, char** argv) { return tandor::runApplication(argc, argv); }
