#include "testkit/test_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

std::string ReadTestData(const std::string& name) {
  std::ifstream file(std::string(TARVELLO_TEST_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(file.good()) << "missing test data " << name;
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}
