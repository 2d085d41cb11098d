// Test programs run on an OLE single-threaded apartment, as Explorer's UI thread does.
#include <gtest/gtest.h>
#include <ole2.h>

int main(int argc, char** argv) {
  ::OleInitialize(nullptr);
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  ::OleUninitialize();
  return rc;
}
