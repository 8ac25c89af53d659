#include "Inflate.h"

#include <algorithm>

namespace {

constexpr int kMaxCodeLength = 15;
constexpr int kLiteralCodes = 288;
constexpr int kDistanceCodes = 30;
constexpr int kEndOfBlock = 256;

const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives the lengths of its code-length code.
const uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// A canonical Huffman code: how many codes each length has, and the symbols
// in code order.
struct HuffmanCode {
    uint16_t count[kMaxCodeLength + 1] = {};
    uint16_t symbol[kLiteralCodes] = {};

    // False for lengths that name more codes than there are, or fewer,
    // which only a code of one symbol of one bit may (`mayBeSingle`), as the
    // reference decoder allows; no codes at all are accepted and never decode.
    bool build(const uint8_t* lengths, int symbols, bool mayBeSingle) {
        std::fill(count, count + kMaxCodeLength + 1, 0);
        for (int s = 0; s < symbols; ++s) ++count[lengths[s]];
        if (count[0] == symbols) return true;
        int left = 1;
        for (int length = 1; length <= kMaxCodeLength; ++length) {
            left = (left << 1) - count[length];
            if (left < 0) return false;
        }
        uint16_t offsets[kMaxCodeLength + 2] = {};
        for (int length = 1; length <= kMaxCodeLength; ++length) offsets[length + 1] = offsets[length] + count[length];
        for (int s = 0; s < symbols; ++s) {
            if (lengths[s] != 0) symbol[offsets[lengths[s]]++] = static_cast<uint16_t>(s);
        }
        return left == 0 || (mayBeSingle && count[1] == 1 && offsets[kMaxCodeLength + 1] == 1);
    }
};

class Inflater {
public:
    Inflater(const uint8_t* data, size_t size, size_t limit, Bytes& out)
        : data_(data), size_(size), limit_(limit), out_(out) {}

    bool run() {
        uint32_t last = 0, type = 0;
        do {
            if (!bits(1, last) || !bits(2, type)) return false;
            bool done = type == 0 ? stored() : type == 1 ? fixed() : type == 2 ? dynamic() : false;
            if (!done) return false;
        } while (!last);
        return true;
    }

private:
    // Bits come from the low end of each byte first.
    bool bits(int count, uint32_t& value) {
        while (held_ < count) {
            if (next_ == size_) return false;
            buffer_ |= uint32_t{data_[next_++]} << held_;
            held_ += 8;
        }
        value = buffer_ & ((1u << count) - 1);
        buffer_ >>= count;
        held_ -= count;
        return true;
    }

    // Huffman codes come from their first bit on, one bit at a time.
    bool decode(const HuffmanCode& code, int& symbol) {
        int value = 0, first = 0, index = 0;
        for (int length = 1; length <= kMaxCodeLength; ++length) {
            uint32_t bit = 0;
            if (!bits(1, bit)) return false;
            value |= static_cast<int>(bit);
            int count = code.count[length];
            if (value - first < count) {
                symbol = code.symbol[index + value - first];
                return true;
            }
            index += count;
            first = (first + count) << 1;
            value <<= 1;
        }
        return false;
    }

    bool stored() {
        buffer_ = 0;  // the rest of the current byte
        held_ = 0;
        if (size_ - next_ < 4) return false;
        size_t length = data_[next_] | data_[next_ + 1] << 8;
        size_t complement = data_[next_ + 2] | data_[next_ + 3] << 8;
        next_ += 4;
        if (length != (~complement & 0xFFFF) || size_ - next_ < length || limit_ - out_.size() < length) return false;
        out_.insert(out_.end(), data_ + next_, data_ + next_ + length);
        next_ += length;
        return true;
    }

    bool codes(const HuffmanCode& literals, const HuffmanCode& distances) {
        for (;;) {
            int symbol = 0;
            if (!decode(literals, symbol)) return false;
            if (symbol == kEndOfBlock) return true;
            if (symbol < kEndOfBlock) {
                if (out_.size() == limit_) return false;
                out_.push_back(static_cast<uint8_t>(symbol));
                continue;
            }
            symbol -= kEndOfBlock + 1;
            uint32_t extra = 0;
            if (symbol >= 29 || !bits(kLengthExtra[symbol], extra)) return false;
            size_t length = kLengthBase[symbol] + extra;
            if (!decode(distances, symbol) || symbol >= kDistanceCodes || !bits(kDistanceExtra[symbol], extra)) {
                return false;
            }
            size_t distance = kDistanceBase[symbol] + extra;
            if (distance > out_.size() || limit_ - out_.size() < length) return false;
            // Byte by byte: a copy may overlap what it writes.
            for (size_t from = out_.size() - distance; length > 0; --length) out_.push_back(out_[from++]);
        }
    }

    bool fixed() {
        uint8_t lengths[kLiteralCodes];
        std::fill(lengths, lengths + 144, 8);
        std::fill(lengths + 144, lengths + 256, 9);
        std::fill(lengths + 256, lengths + 280, 7);
        std::fill(lengths + 280, lengths + kLiteralCodes, 8);
        HuffmanCode literals, distances;
        literals.build(lengths, kLiteralCodes, false);
        // Incomplete: the two 5-bit codes past the 30 distances never decode.
        std::fill(lengths, lengths + kDistanceCodes, 5);
        distances.build(lengths, kDistanceCodes, false);
        return codes(literals, distances);
    }

    bool dynamic() {
        uint32_t literalCount = 0, distanceCount = 0, lengthCount = 0;
        if (!bits(5, literalCount) || !bits(5, distanceCount) || !bits(4, lengthCount)) return false;
        literalCount += 257;
        distanceCount += 1;
        lengthCount += 4;
        if (literalCount > 286 || distanceCount > kDistanceCodes) return false;
        uint8_t lengths[kLiteralCodes + kDistanceCodes] = {};
        for (uint32_t index = 0; index < lengthCount; ++index) {
            uint32_t length = 0;
            if (!bits(3, length)) return false;
            lengths[kCodeLengthOrder[index]] = static_cast<uint8_t>(length);
        }
        HuffmanCode lengthCode;
        if (!lengthCode.build(lengths, 19, false)) return false;
        const uint32_t total = literalCount + distanceCount;
        for (uint32_t index = 0; index < total;) {
            int symbol = 0;
            if (!decode(lengthCode, symbol)) return false;
            if (symbol < 16) {
                lengths[index++] = static_cast<uint8_t>(symbol);
                continue;
            }
            // 16 repeats the length before 3-6 times, 17 and 18 give 3-10 and 11-138 zeros.
            uint32_t repeat = 0;
            uint8_t length = 0;
            if (symbol == 16) {
                if (index == 0 || !bits(2, repeat)) return false;
                length = lengths[index - 1];
                repeat += 3;
            } else if (!bits(symbol == 17 ? 3 : 7, repeat)) {
                return false;
            } else {
                repeat += symbol == 17 ? 3 : 11;
            }
            if (total - index < repeat) return false;
            std::fill(lengths + index, lengths + index + repeat, length);
            index += repeat;
        }
        HuffmanCode literals, distances;
        return lengths[kEndOfBlock] != 0 && literals.build(lengths, static_cast<int>(literalCount), true) &&
               distances.build(lengths + literalCount, static_cast<int>(distanceCount), true) &&
               codes(literals, distances);
    }

    const uint8_t* data_;
    size_t size_;
    size_t limit_;
    Bytes& out_;
    size_t next_ = 0;
    uint32_t buffer_ = 0;
    int held_ = 0;
};

}  // namespace

bool inflate(const uint8_t* data, size_t size, size_t limit, Bytes& out) {
    out.clear();
    return Inflater(data, size, limit, out).run();
}
