#include <cstdio>
int main(int argc, char** argv) { if (argc < 3) return 1; FILE* f = std::fopen(argv[2], "wb"); if (!f) return 1; std::fclose(f); return 0; }
