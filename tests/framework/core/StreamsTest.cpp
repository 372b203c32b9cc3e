#include "framework/core/Streams.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#ifdef _WIN32
#include <windows.h>
#endif

using namespace zorvex;
using zorvex::test::TempDir;

TEST(MemoryStream, WritesReadsSeeksAndGrows) {
  TMemoryStream s;
  s.WriteBuffer("hello", 5);
  EXPECT_EQ(s.Size(), 5);
  s.SetPosition(8); // writing past the end zero-fills the gap
  s.WriteBuffer("!", 1);
  EXPECT_EQ(s.Size(), 9);
  EXPECT_EQ(s.Bytes()[6], 0);
  s.Seek(-9, SeekOrigin::End);
  char buffer[5];
  s.ReadBuffer(buffer, 5);
  EXPECT_EQ(std::string(buffer, 5), "hello");
  s.SetPosition(7);
  EXPECT_THROW(s.ReadBuffer(buffer, 3), EReadError);
  EXPECT_THROW(s.Seek(-1, SeekOrigin::Beginning), EStreamError);
  s.SetSize(2);
  EXPECT_EQ(s.Position(), 2);
}

TEST(MemoryStream, CopyFromWholeSourceWhenCountIsZero) {
  TMemoryStream source;
  source.WriteBuffer("abcdef", 6);
  source.SetPosition(3);
  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 0), 6);
  EXPECT_EQ(std::string(reinterpret_cast<const char *>(target.Memory()), 6), "abcdef");
}

TEST(FileStream, CreatesReadsAndReportsSize) {
  TempDir dir;
  const std::string path = dir / "\xC3\xA9t\xC3\xA9 file.bin";
  {
    TFileStream out(path, fm::Create);
    out.WriteBuffer("0123456789", 10);
    out.Close();
  }
  TFileStream in(path, fm::OpenRead | fm::ShareDenyWrite);
  EXPECT_EQ(in.Size(), 10);
  in.Seek(4, SeekOrigin::Beginning);
  char buffer[16];
  EXPECT_EQ(in.Read(buffer, 16), 6);
  EXPECT_EQ(in.Read(buffer, 16), 0);
}

TEST(FileStream, OpenFailuresAreFileOpenErrors) {
  TempDir dir;
  EXPECT_THROW(TFileStream(dir / "missing.txt", fm::OpenRead), EFOpenError);
  EXPECT_THROW(TFileStream(dir.Path(), fm::OpenRead), EFOpenError); // a folder
  try {
    TFileStream(dir / "missing.txt", fm::OpenRead);
  } catch (const EFOpenError &e) {
    EXPECT_NE(e.Message().find("missing.txt"), std::string::npos);
    EXPECT_NE(e.SystemError(), 0);
  }
}

#ifdef _WIN32
TEST(FileStream, DenyWriteOpenFailsWhileAnotherWriterHoldsTheFile) {
  TempDir dir;
  const std::string path = dir / "locked.txt";
  test::WriteFile(path, "data");
  HANDLE writer = CreateFileW(WinPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_THROW(TFileStream(path, fm::OpenRead | fm::ShareDenyWrite), EFOpenError);
  CloseHandle(writer);
  EXPECT_NO_THROW(TFileStream(path, fm::OpenRead | fm::ShareDenyWrite));
}

TEST(FileStream, LongPathsWork) {
  TempDir dir;
  std::string path = dir.Path();
  while (path.size() < 300) {
    path += "\\" + std::string(40, 'd');
    ASSERT_TRUE(CreateDirectoryW(WinPath(path).c_str(), nullptr)) << GetLastError();
  }
  {
    TFileStream out(path + "\\file.txt", fm::Create);
    out.WriteBuffer("deep", 4);
  }
  EXPECT_EQ(test::ReadFile(path + "\\file.txt"), "deep");
}
#else
TEST(FileStream, FifoIsRefusedInsteadOfBlocking) {
  TempDir dir;
  const std::string path = dir / "pipe";
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  EXPECT_THROW(TFileStream(path, fm::OpenRead | fm::ShareDenyWrite), EFOpenError);
}
#endif

TEST(TFileStream, OpensByNameInAHeldDirectory) {
  TempDir dir;
  test::WriteFile(dir / "inside.txt", "abc");
  const std::string folder = dir.Path() + PathDelim;
  TDirectoryHandle directory(folder);
  TFileStream file(directory, "inside.txt", fm::OpenRead | fm::ShareDenyWrite);
  EXPECT_EQ(file.FileName(), folder + "inside.txt");
  EXPECT_EQ(file.Size(), 3);
  EXPECT_THROW(TFileStream(directory, "missing", fm::OpenRead), EFOpenError);
  // A directory that cannot be opened falls back to full paths, which fail the same way.
  TDirectoryHandle gone(folder + "gone" + PathDelim);
  EXPECT_THROW(TFileStream(gone, "inside.txt", fm::OpenRead), EFOpenError);
}
