// The read-only resource stream: every interface slot, the status codes and
// the position rules, checked case by case and against a model of the
// position under a long random sequence of calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <random>
#include <thread>
#include <vector>

#include "res/resource.h"
#include "support/image_test_ids.h"
#include "ui/memory_stream.h"

namespace {

constexpr int kSize = 10;
const BYTE kBytes[kSize] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};

// Owns one reference to a stream over kBytes.
struct StreamRef {
  IStream* p = new Private::MemoryStream(kBytes, kBytes + kSize);
  ~StreamRef() {
    if (p) p->Release();
  }
};

LARGE_INTEGER Move(LONGLONG value) {
  LARGE_INTEGER move;
  move.QuadPart = value;
  return move;
}

ULONGLONG Position(IStream* stream) {
  ULARGE_INTEGER position = {};
  EXPECT_EQ(S_OK, stream->Seek(Move(0), STREAM_SEEK_CUR, &position));
  return position.QuadPart;
}

void SeekTo(IStream* stream, LONGLONG offset) {
  ASSERT_EQ(S_OK, stream->Seek(Move(offset), STREAM_SEEK_SET, nullptr));
}

// The count as the object sees it, without changing it.
ULONG RefCount(IStream* stream) {
  stream->AddRef();
  return stream->Release();
}

struct SeekCase {
  const char* name;
  LONGLONG start;
  LONGLONG move;
  DWORD origin;
  HRESULT expected;
  LONGLONG position;  // afterwards; the start again when the seek fails
};

const SeekCase kSeekCases[] = {
    {"set to start", 5, 0, STREAM_SEEK_SET, S_OK, 0},
    {"set to middle", 0, 4, STREAM_SEEK_SET, S_OK, 4},
    {"set to end", 0, kSize, STREAM_SEEK_SET, S_OK, kSize},
    {"set one past end", 3, kSize + 1, STREAM_SEEK_SET, STG_E_INVALIDPOINTER, 3},
    {"set negative", 3, -1, STREAM_SEEK_SET, STG_E_INVALIDPOINTER, 3},
    {"set far beyond 4 GiB", 3, 0x100000002LL, STREAM_SEEK_SET, STG_E_INVALIDPOINTER, 3},
    {"cur forward", 2, 3, STREAM_SEEK_CUR, S_OK, 5},
    {"cur backward", 7, -7, STREAM_SEEK_CUR, S_OK, 0},
    {"cur to end", 4, 6, STREAM_SEEK_CUR, S_OK, kSize},
    {"cur before start", 4, -5, STREAM_SEEK_CUR, STG_E_INVALIDPOINTER, 4},
    {"cur past end", 4, 7, STREAM_SEEK_CUR, STG_E_INVALIDPOINTER, 4},
    {"cur zero at end", kSize, 0, STREAM_SEEK_CUR, S_OK, kSize},
    // High 32 bits set: the whole displacement counts, not its low half.
    {"cur 4 GiB + 1", 2, 0x100000001LL, STREAM_SEEK_CUR, STG_E_INVALIDPOINTER, 2},
    {"cur -4 GiB + 1", 2, -0x100000000LL + 1, STREAM_SEEK_CUR, STG_E_INVALIDPOINTER, 2},
    {"cur low half -1 only", 5, 0x00000000FFFFFFFFLL, STREAM_SEEK_CUR, STG_E_INVALIDPOINTER, 5},
    {"cur most negative", 5, INT64_MIN, STREAM_SEEK_CUR, STG_E_INVALIDPOINTER, 5},
    {"cur most positive", 5, INT64_MAX, STREAM_SEEK_CUR, STG_E_INVALIDPOINTER, 5},
    {"end zero", 0, 0, STREAM_SEEK_END, S_OK, kSize},
    {"end back to start", 6, -kSize, STREAM_SEEK_END, S_OK, 0},
    {"end back three", 0, -3, STREAM_SEEK_END, S_OK, 7},
    {"end positive", 6, 1, STREAM_SEEK_END, STG_E_INVALIDPOINTER, 6},
    {"end before start", 6, -kSize - 1, STREAM_SEEK_END, STG_E_INVALIDPOINTER, 6},
    {"end most negative", 6, INT64_MIN, STREAM_SEEK_END, STG_E_INVALIDPOINTER, 6},
    {"origin 3", 6, 0, 3, E_INVALIDARG, 6},
    {"origin 0xFFFFFFFF", 6, 1, 0xFFFFFFFFu, E_INVALIDARG, 6},
};

TEST(MemoryStreamSeek, FollowsTheRangeRules) {
  for (const SeekCase& c : kSeekCases) {
    SCOPED_TRACE(c.name);
    StreamRef stream;
    SeekTo(stream.p, c.start);
    ULARGE_INTEGER reported;
    reported.QuadPart = 0xDEADBEEFull;
    EXPECT_EQ(c.expected, stream.p->Seek(Move(c.move), c.origin, &reported));
    if (c.expected == S_OK) {
      EXPECT_EQ(static_cast<ULONGLONG>(c.position), reported.QuadPart);
    } else {
      EXPECT_EQ(0xDEADBEEFull, reported.QuadPart) << "a failed seek reports nothing";
    }
    EXPECT_EQ(static_cast<ULONGLONG>(c.position), Position(stream.p));
  }
}

TEST(MemoryStreamSeek, WithoutOutPointerStillMoves) {
  StreamRef stream;
  EXPECT_EQ(S_OK, stream.p->Seek(Move(-2), STREAM_SEEK_END, nullptr));
  EXPECT_EQ(8u, Position(stream.p));
}

struct ReadCase {
  const char* name;
  LONGLONG start;
  ULONG count;
  HRESULT expected;
  ULONG read;
};

const ReadCase kReadCases[] = {
    {"all", 0, kSize, S_OK, kSize},
    {"some", 2, 3, S_OK, 3},
    {"more than remain", 7, 100, S_OK, 3},
    {"huge count", 7, 0xFFFFFFFFu, S_OK, 3},
    {"at end", kSize, 1, S_FALSE, 0},
    {"zero bytes", 4, 0, S_FALSE, 0},
    {"zero bytes at end", kSize, 0, S_FALSE, 0},
};

TEST(MemoryStreamRead, CopiesWhatRemains) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.name);
    StreamRef stream;
    SeekTo(stream.p, c.start);
    BYTE buffer[kSize + 2];
    FillMemory(buffer, sizeof(buffer), 0xCC);
    ULONG read = 0xDEAD;
    const ULONG asked = c.count < sizeof(buffer) ? c.count : static_cast<ULONG>(sizeof(buffer));
    // A huge count is still bounded by what remains, so the buffer suffices.
    const ULONG count = c.count == 0xFFFFFFFFu ? c.count : asked;
    EXPECT_EQ(c.expected, stream.p->Read(buffer, count, &read));
    EXPECT_EQ(c.read, read);
    EXPECT_EQ(0, memcmp(buffer, kBytes + c.start, c.read));
    EXPECT_EQ(0xCC, buffer[c.read]) << "nothing written past the bytes read";
    EXPECT_EQ(static_cast<ULONGLONG>(c.start + c.read), Position(stream.p));
  }
}

TEST(MemoryStreamRead, CountPointerIsOptional) {
  StreamRef stream;
  BYTE buffer[4];
  EXPECT_EQ(S_OK, stream.p->Read(buffer, 4, nullptr));
  EXPECT_EQ(4u, Position(stream.p));
}

TEST(MemoryStreamRead, RefusesANullBufferWithoutMoving) {
  StreamRef stream;
  ULONG read = 7;
  EXPECT_EQ(STG_E_INVALIDPOINTER, stream.p->Read(nullptr, 4, &read));
  EXPECT_EQ(0u, Position(stream.p));
}

// Calls one of the slots that a read-only stream refuses.
struct RefusedSlot {
  const char* name;
  HRESULT (*call)(IStream*);
  HRESULT expected;
};

const RefusedSlot kRefusedSlots[] = {
    {"Write",
     [](IStream* s) {
       ULONG n = 0;
       return s->Write("x", 1, &n);
     },
     STG_E_ACCESSDENIED},
    {"SetSize",
     [](IStream* s) {
       ULARGE_INTEGER z = {};
       return s->SetSize(z);
     },
     STG_E_ACCESSDENIED},
    {"CopyTo",
     [](IStream* s) {
       ULARGE_INTEGER n;
       n.QuadPart = 4;
       return s->CopyTo(nullptr, n, nullptr, nullptr);
     },
     E_NOTIMPL},
    {"Commit", [](IStream* s) { return s->Commit(STGC_DEFAULT); }, E_NOTIMPL},
    {"Revert", [](IStream* s) { return s->Revert(); }, STG_E_ACCESSDENIED},
    {"LockRegion",
     [](IStream* s) {
       ULARGE_INTEGER z = {};
       return s->LockRegion(z, z, LOCK_WRITE);
     },
     E_NOTIMPL},
    {"UnlockRegion",
     [](IStream* s) {
       ULARGE_INTEGER z = {};
       return s->UnlockRegion(z, z, LOCK_WRITE);
     },
     E_NOTIMPL},
};

TEST(MemoryStreamSlots, ReadOnlySlotsRefuseAndChangeNothing) {
  for (const RefusedSlot& slot : kRefusedSlots) {
    SCOPED_TRACE(slot.name);
    StreamRef stream;
    SeekTo(stream.p, 3);
    EXPECT_EQ(slot.expected, slot.call(stream.p));
    EXPECT_EQ(3u, Position(stream.p));
    STATSTG stat = {};
    ASSERT_EQ(S_OK, stream.p->Stat(&stat, STATFLAG_NONAME));
    EXPECT_EQ(static_cast<ULONGLONG>(kSize), stat.cbSize.QuadPart);
  }
}

TEST(MemoryStreamSlots, QueryInterfaceGivesTheStreamInterfacesOnly) {
  struct Case {
    const char* name;
    const IID* iid;
    bool supported;
  };
  const Case cases[] = {
      {"IStream", &IID_IStream, true},      {"ISequentialStream", &IID_ISequentialStream, true},
      {"IUnknown", &IID_IUnknown, true},    {"IPersistStream", &IID_IPersistStream, false},
      {"IDispatch", &IID_IDispatch, false}, {"IStorage", &IID_IStorage, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StreamRef stream;
    void* object = reinterpret_cast<void*>(0x1234);
    const HRESULT result = stream.p->QueryInterface(*c.iid, &object);
    if (c.supported) {
      EXPECT_EQ(S_OK, result);
      EXPECT_EQ(static_cast<void*>(stream.p), object);
      EXPECT_EQ(2u, RefCount(stream.p));
      static_cast<IUnknown*>(object)->Release();
    } else {
      EXPECT_EQ(E_NOINTERFACE, result);
      EXPECT_EQ(nullptr, object);
      EXPECT_EQ(1u, RefCount(stream.p));
    }
  }
}

TEST(MemoryStreamSlots, CountsReferencesDownToZero) {
  IStream* stream = new Private::MemoryStream(kBytes, kBytes + kSize);
  EXPECT_EQ(2u, stream->AddRef());
  EXPECT_EQ(3u, stream->AddRef());
  EXPECT_EQ(2u, stream->Release());
  EXPECT_EQ(1u, stream->Release());
  EXPECT_EQ(0u, stream->Release());
}

TEST(MemoryStreamSlots, CountIsSafeAcrossThreads) {
  StreamRef stream;
  std::vector<std::thread> threads;
  threads.reserve(4);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&stream] {
      for (int i = 0; i < 20000; ++i) {
        stream.p->AddRef();
        stream.p->Release();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(1u, RefCount(stream.p));
}

TEST(MemoryStreamStat, ReportsALockBytesObjectOfTheStreamSize) {
  StreamRef stream;
  SeekTo(stream.p, 6);
  STATSTG stat;
  FillMemory(&stat, sizeof(stat), 0xAB);
  ASSERT_EQ(S_OK, stream.p->Stat(&stat, STATFLAG_NONAME));
  EXPECT_EQ(nullptr, stat.pwcsName);
  EXPECT_EQ(3u, stat.type);
  EXPECT_EQ(static_cast<ULONGLONG>(kSize), stat.cbSize.QuadPart);
  EXPECT_EQ(0x20u, stat.grfMode);
  EXPECT_EQ(0u, stat.grfLocksSupported);
  EXPECT_TRUE(IsEqualCLSID(CLSID_NULL, stat.clsid));
  EXPECT_EQ(0u, stat.grfStateBits);
  // Time stamps and the reserved field stay as the caller had them.
  STATSTG untouched;
  FillMemory(&untouched, sizeof(untouched), 0xAB);
  EXPECT_EQ(0, memcmp(&untouched.mtime, &stat.mtime, sizeof(FILETIME)));
  EXPECT_EQ(0, memcmp(&untouched.ctime, &stat.ctime, sizeof(FILETIME)));
  EXPECT_EQ(0, memcmp(&untouched.atime, &stat.atime, sizeof(FILETIME)));
  EXPECT_EQ(untouched.reserved, stat.reserved);
  EXPECT_EQ(6u, Position(stream.p));
}

TEST(MemoryStreamStat, NameAskedForIsAnEmptyTaskAllocatorString) {
  for (DWORD flags : {static_cast<DWORD>(STATFLAG_DEFAULT), static_cast<DWORD>(STATFLAG_NOOPEN)}) {
    SCOPED_TRACE(flags);
    StreamRef stream;
    STATSTG stat = {};
    ASSERT_EQ(S_OK, stream.p->Stat(&stat, flags));
    ASSERT_NE(nullptr, stat.pwcsName);
    EXPECT_EQ(L'\0', stat.pwcsName[0]);
    // The caller owns the name and frees it with the task allocator, which
    // must therefore recognise the block.
    IMalloc* allocator = nullptr;
    ASSERT_EQ(S_OK, CoGetMalloc(1, &allocator));
    EXPECT_EQ(1, allocator->DidAlloc(stat.pwcsName));
    allocator->Release();
    CoTaskMemFree(stat.pwcsName);
    EXPECT_EQ(3u, stat.type);
  }
}

TEST(MemoryStreamStat, RefusesANullRecord) {
  StreamRef stream;
  EXPECT_EQ(STG_E_INVALIDPOINTER, stream.p->Stat(nullptr, STATFLAG_NONAME));
}

TEST(MemoryStreamClone, StartsAtZeroAndOutlivesItsSource) {
  IStream* source = new Private::MemoryStream(kBytes, kBytes + kSize);
  BYTE buffer[kSize] = {};
  ASSERT_EQ(S_OK, source->Read(buffer, 5, nullptr));
  IStream* clone = nullptr;
  ASSERT_EQ(S_OK, source->Clone(&clone));
  ASSERT_NE(nullptr, clone);
  EXPECT_NE(source, clone);
  EXPECT_EQ(0u, Position(clone));
  EXPECT_EQ(5u, Position(source));
  EXPECT_EQ(1u, RefCount(clone));
  EXPECT_EQ(1u, RefCount(source)) << "a clone shares the bytes and nothing else";
  EXPECT_EQ(0u, source->Release());
  ULONG read = 0;
  EXPECT_EQ(S_OK, clone->Read(buffer, kSize, &read));
  EXPECT_EQ(static_cast<ULONG>(kSize), read);
  EXPECT_EQ(0, memcmp(buffer, kBytes, kSize));
  EXPECT_EQ(0u, clone->Release());
}

TEST(MemoryStreamClone, PositionsAreIndependent) {
  StreamRef stream;
  IStream* clone = nullptr;
  ASSERT_EQ(S_OK, stream.p->Clone(&clone));
  SeekTo(clone, 8);
  SeekTo(stream.p, 2);
  EXPECT_EQ(8u, Position(clone));
  EXPECT_EQ(2u, Position(stream.p));
  clone->Release();
}

// A long random run of Read, Seek and Clone over several streams, each
// checked against a plain model of its position.
TEST(MemoryStreamModel, RandomCallsMatchThePositionModel) {
  struct Modelled {
    IStream* stream;
    LONGLONG position;
  };
  std::mt19937 random(20261209);
  std::vector<Modelled> streams = {{new Private::MemoryStream(kBytes, kBytes + kSize), 0}};
  const LONGLONG kMoves[] = {0,
                             1,
                             -1,
                             3,
                             -4,
                             kSize,
                             -kSize,
                             kSize + 1,
                             -kSize - 1,
                             0x100000000LL,
                             0x100000003LL,
                             -0x100000000LL,
                             0xFFFFFFFFLL};
  for (int step = 0; step < 20000; ++step) {
    const size_t index = random() % streams.size();
    Modelled& m = streams[index];
    SCOPED_TRACE(step);
    const int op = random() % 10;
    if (op < 4) {
      const ULONG count = random() % (kSize + 3);
      BYTE buffer[kSize + 3];
      ULONG read = 0xFFFF;
      const HRESULT result = m.stream->Read(buffer, count, &read);
      const ULONG expected = static_cast<ULONG>(std::min<LONGLONG>(count, kSize - m.position));
      ASSERT_EQ(expected > 0 ? S_OK : S_FALSE, result);
      ASSERT_EQ(expected, read);
      ASSERT_EQ(0, memcmp(buffer, kBytes + m.position, expected));
      m.position += expected;
    } else if (op < 9) {
      const DWORD origin = random() % 4;
      const LONGLONG move = kMoves[random() % (sizeof(kMoves) / sizeof(kMoves[0]))];
      const LONGLONG base = origin == STREAM_SEEK_SET   ? 0
                            : origin == STREAM_SEEK_CUR ? m.position
                                                        : kSize;
      const LONGLONG target = base + move;
      HRESULT expected = S_OK;
      if (origin > STREAM_SEEK_END) {
        expected = E_INVALIDARG;
      } else if (target < 0 || target > kSize || (origin == STREAM_SEEK_END && move > 0)) {
        expected = STG_E_INVALIDPOINTER;
      }
      ULARGE_INTEGER reported = {};
      ASSERT_EQ(expected, m.stream->Seek(Move(move), origin, &reported)) << origin << " " << move;
      if (expected == S_OK) {
        m.position = target;
        ASSERT_EQ(static_cast<ULONGLONG>(target), reported.QuadPart);
      }
    } else if (streams.size() < 6) {
      IStream* clone = nullptr;
      ASSERT_EQ(S_OK, m.stream->Clone(&clone));
      ASSERT_EQ(0u, Position(clone));
      streams.push_back({clone, 0});  // may move the elements: `m` is not used again
      ASSERT_EQ(static_cast<ULONGLONG>(streams[index].position), Position(streams[index].stream));
      continue;
    } else {
      ASSERT_EQ(0u, m.stream->Release());
      streams.erase(streams.begin() + index);
      continue;
    }
    ASSERT_EQ(static_cast<ULONGLONG>(m.position), Position(m.stream));
  }
  for (Modelled& m : streams) EXPECT_EQ(0u, m.stream->Release());
}

TEST(CreateResourceStream, OpensTheResourceBytesInPlace) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(IDR_PNG_CLOSE), RT_RCDATA);
  ASSERT_NE(nullptr, info);
  const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, info)));
  const DWORD size = SizeofResource(module, info);
  IStream* stream = nullptr;
  ASSERT_EQ(S_OK, CreateResourceStream(IDR_PNG_CLOSE, module, stream));
  ASSERT_NE(nullptr, stream);
  EXPECT_EQ(1u, RefCount(stream));
  EXPECT_EQ(0u, Position(stream));
  STATSTG stat = {};
  ASSERT_EQ(S_OK, stream->Stat(&stat, STATFLAG_NONAME));
  EXPECT_EQ(size, stat.cbSize.QuadPart);
  std::vector<BYTE> read(size + 1);
  ULONG count = 0;
  EXPECT_EQ(S_OK, stream->Read(read.data(), size + 1, &count));
  EXPECT_EQ(size, count);
  EXPECT_EQ(0, memcmp(read.data(), bytes, size));
  EXPECT_EQ(0x89, read[0]);
  EXPECT_EQ('P', read[1]);
  stream->Release();
}

TEST(CreateResourceStream, NullModuleMeansTheProgram) {
  IStream* stream = nullptr;
  ASSERT_EQ(S_OK, CreateResourceStream(IDR_PNG_BUTTON, nullptr, stream));
  ASSERT_NE(nullptr, stream);
  stream->Release();
}

TEST(CreateResourceStream, MissingResourceFailsAndLeavesTheOutParameter) {
  struct Case {
    const char* name;
    WORD id;
    HMODULE module;
  };
  const Case cases[] = {
      {"unknown id", IDR_TEST_MISSING, nullptr},
      {"icon id is not raw data", IDR_APP_ICON, nullptr},
      {"module without it", IDR_PNG_CLOSE, GetModuleHandleW(L"kernel32.dll")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IStream* sentinel = reinterpret_cast<IStream*>(0x5A5A5A5A);
    IStream* stream = sentinel;
    EXPECT_EQ(E_FAIL, CreateResourceStream(c.id, c.module, stream));
    EXPECT_EQ(sentinel, stream);
  }
}

}  // namespace
