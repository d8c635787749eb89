#include "ExitStatus.h"
#include "Kr7ctl.h"
#include "StdoutBuffer.h"

#include <QCoreApplication>

#include <unistd.h>

#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    TStdoutBuffer buffer(STDOUT_FILENO);
    std::ostream out(&buffer);
    const int status = Kr7ctlMain(args, out, std::cerr);
    out.flush();
    if (buffer.Error() == 0)
        return status;
    std::cerr << "kr7ctl: cannot write to standard output: " << std::strerror(buffer.Error()) << "\n";
    return status == EXIT_DONE ? EXIT_FILE : status;
}
