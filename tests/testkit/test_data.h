// The files under tests/data: captured switch output and texts the tests share.
#pragma once

#include <string>

// Content of a file under tests/data (relative name); fails the test when missing.
std::string ReadTestData(const std::string& name);
