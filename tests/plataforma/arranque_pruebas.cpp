#include <gtest/gtest.h>
TEST(Esqueleto, Compila) { SUCCEED(); }
