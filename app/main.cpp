#include "app/process_entry.h"

int main(int argc, char** argv) {
    return velmo::runProcess(argc, argv);
}
