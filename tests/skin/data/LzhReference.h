#pragma once
// A second, deliberately plain LZHUF coder for the tests: brute-force match
// search instead of search trees, nodes as structs, bits in a vector. It
// chooses the longest match and, among equally long ones, the nearest; on
// inputs where that choice is unique it must write the very bytes of the
// real packer, and its decoder must read whatever the real packer writes.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace zorvex::test {

class RefHuffman {
public:
  static constexpr int kSymbols = 314;
  static constexpr int kNodes = 2 * kSymbols - 1;
  static constexpr int kRoot = kNodes - 1;

  RefHuffman() {
    nodes_.resize(kNodes + 1);
    up_.assign(kNodes, 0);
    for (int s = 0; s < kSymbols; ++s) {
      nodes_[s] = {1, true, s};
      up_leaf_[s] = s;
    }
    for (int k = kSymbols, child = 0; k < kNodes; ++k, child += 2) {
      nodes_[k] = {nodes_[child].weight + nodes_[child + 1].weight, false, child};
      up_[child] = up_[child + 1] = k;
    }
    nodes_[kNodes].weight = 0xFFFF; // stops the swap search
  }

  // Bits from the root down to the leaf of `symbol` (1 = odd node).
  std::vector<int> Code(int symbol) const {
    std::vector<int> reversed;
    for (int k = up_leaf_[symbol]; k != kRoot; k = up_[k])
      reversed.push_back(k & 1);
    return {reversed.rbegin(), reversed.rend()};
  }

  template <typename NextBit> int Decode(NextBit nextBit) {
    Node node = nodes_[kRoot];
    while (!node.leaf)
      node = nodes_[node.ref + nextBit()];
    return node.ref;
  }

  void Count(int symbol) {
    if (nodes_[kRoot].weight == 0x8000)
      Rebuild();
    int k = up_leaf_[symbol];
    for (;;) {
      const unsigned weight = nodes_[k].weight + 1;
      int last = k;
      while (nodes_[last + 1].weight < weight)
        ++last;
      if (last != k) {
        std::swap(nodes_[k], nodes_[last]);
        Adopt(k);
        Adopt(last);
        k = last;
      }
      nodes_[k].weight = weight;
      if (k == kRoot)
        break;
      k = up_[k];
    }
  }

private:
  struct Node {
    unsigned weight = 0;
    bool leaf = false;
    int ref = 0; // the symbol of a leaf, the first child of an inner node
  };

  void Adopt(int k) {
    if (nodes_[k].leaf) {
      up_leaf_[nodes_[k].ref] = k;
    } else {
      up_[nodes_[k].ref] = k;
      up_[nodes_[k].ref + 1] = k;
    }
  }

  void Rebuild() {
    std::vector<Node> leaves;
    for (int k = 0; k < kNodes; ++k)
      if (nodes_[k].leaf)
        leaves.push_back({(nodes_[k].weight + 1) / 2, true, nodes_[k].ref});
    std::vector<Node> built(leaves);
    for (int child = 0; static_cast<int>(built.size()) < kNodes; child += 2) {
      const Node inner{built[child].weight + built[child + 1].weight, false, child};
      // After every entry of weight <= its own.
      size_t at = built.size();
      while (at > 0 && built[at - 1].weight > inner.weight)
        --at;
      built.insert(built.begin() + static_cast<long>(at), inner);
    }
    for (int k = 0; k < kNodes; ++k)
      nodes_[k] = built[k];
    for (int k = 0; k < kNodes; ++k)
      Adopt(k);
  }

  std::vector<Node> nodes_;
  std::vector<int> up_;
  int up_leaf_[kSymbols] = {};
};

// Length of the prefix code of the upper six position bits.
inline int RefPrefixLength(int high) {
  const int firsts[] = {0, 1, 4, 12, 24, 48, 64}; // first value of each length 3..8
  int j = 0;
  while (high >= firsts[j + 1])
    ++j;
  return 3 + j;
}

inline int RefPrefixCode(int high) {
  // Canonical: each code is the previous one plus one, widened as needed.
  int code = 0;
  for (int h = 0; h < high; ++h)
    code = (code + 1) << (RefPrefixLength(h + 1) - RefPrefixLength(h));
  return code;
}

inline std::string RefPack(const std::string &input) {
  constexpr int N = 4096, F = 60;
  std::vector<uint8_t> ring(N + F - 1, 0);
  for (int i = 0; i < N - F; ++i)
    ring[i] = ' ';
  std::vector<bool> inDictionary(N, false);
  std::vector<int> bits;
  RefHuffman huffman;
  auto put = [&](int value, int count) {
    for (int b = count - 1; b >= 0; --b)
      bits.push_back((value >> b) & 1);
  };
  auto symbol = [&](int s) {
    for (int bit : huffman.Code(s))
      bits.push_back(bit);
    huffman.Count(s);
  };
  int best = 0, bestPosition = 0;
  // Looks for the longest earlier string equal to the one at `at`, then adds it.
  auto insert = [&](int at) {
    best = 0;
    for (int p = 0; p < N; ++p) {
      if (!inDictionary[p] || ring[p] != ring[at])
        continue;
      int same = 1;
      while (same < F && ring[at + same] == ring[p + same])
        ++same;
      const int position = ((at - p) & (N - 1)) - 1;
      if (same > 2 && (same > best || (same == best && position < bestPosition))) {
        best = same;
        bestPosition = position;
      }
    }
    inDictionary[at] = true;
  };
  size_t next = 0;
  int r = N - F, s = 0, ahead = 0;
  while (ahead < F && next < input.size())
    ring[r + ahead++] = static_cast<uint8_t>(input[next++]);
  if (ahead == 0)
    ring[r] = ' ';
  for (int i = 1; i <= F; ++i)
    insert(r - i);
  insert(r);
  do {
    int length = std::min(best, ahead);
    if (length <= 2) {
      length = 1;
      symbol(ring[r]);
    } else {
      symbol(253 + length);
      put(RefPrefixCode(bestPosition >> 6), RefPrefixLength(bestPosition >> 6));
      put(bestPosition & 63, 6);
    }
    for (int k = 0; k < length; ++k) {
      inDictionary[s] = false;
      const bool more = next < input.size();
      if (more) {
        ring[s] = static_cast<uint8_t>(input[next++]);
        if (s < F - 1)
          ring[s + N] = ring[s];
      }
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      if (more || --ahead != 0)
        insert(r);
    }
  } while (ahead > 0);
  while (bits.size() % 8)
    bits.push_back(0);
  std::string out;
  for (size_t i = 0; i < bits.size(); i += 8) {
    int byte = 0;
    for (int b = 0; b < 8; ++b)
      byte = (byte << 1) | bits[i + b];
    out.push_back(static_cast<char>(byte));
  }
  return out;
}

inline std::string RefUnpack(const std::string &packed, int size) {
  constexpr int N = 4096, F = 60;
  std::vector<uint8_t> ring(N, ' ');
  for (int i = N - F; i < N; ++i)
    ring[i] = 0;
  size_t bit = 0;
  auto nextBit = [&]() -> int {
    const size_t byte = bit / 8;
    const int value = byte < packed.size() ? (static_cast<uint8_t>(packed[byte]) >> (7 - bit % 8)) & 1 : 0;
    ++bit;
    return value;
  };
  auto take = [&](int count) {
    int value = 0;
    while (count-- > 0)
      value = (value << 1) | nextBit();
    return value;
  };
  RefHuffman huffman;
  std::string out;
  int r = N - F;
  auto emit = [&](uint8_t byte) {
    out.push_back(static_cast<char>(byte));
    ring[r] = byte;
    r = (r + 1) & (N - 1);
  };
  while (static_cast<int>(out.size()) < size) {
    const int s = huffman.Decode(nextBit);
    huffman.Count(s);
    if (s < 256) {
      emit(static_cast<uint8_t>(s));
      continue;
    }
    // Read bit by bit until the prefix is a complete code.
    int code = 0, length = 0, high = -1;
    while (high < 0) {
      code = (code << 1) | nextBit();
      ++length;
      for (int h = 0; h < 64 && length >= 3; ++h)
        if (RefPrefixLength(h) == length && RefPrefixCode(h) == code)
          high = h;
    }
    const int position = (high << 6) | take(6);
    const int from = (r - position - 1) & (N - 1);
    for (int k = 0; k < s - 253 && static_cast<int>(out.size()) < size; ++k)
      emit(ring[(from + k) & (N - 1)]);
  }
  return out;
}

} // namespace zorvex::test
