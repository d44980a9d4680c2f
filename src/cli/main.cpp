#include <cstdio>

int main()
{
    std::puts("usage: zarva-cli COMMAND RECORD [options]");
    return 2;
}
