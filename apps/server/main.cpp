#include <cstdio>

int main()
{
    std::puts("QVXServer: not built yet");
    return 0;
}
