// The kernel of addWeightedRows, included by one source file per instruction
// set (each defines ROWS_KERNEL_NAMESPACE first).  For the common widths the
// sums live in a fixed-size local array the compiler keeps in registers; each
// sum still takes its terms one after another in increasing row order, so
// every instruction set gives the same bits.
#include <array>
#include <cstddef>
#include <utility>

namespace ebp::ROWS_KERNEL_NAMESPACE {

template <int W>
void fixedRows(double* sums, const double* rows, const double* x, int rowCount) {
  double acc[W];
  for (int j = 0; j < W; ++j) acc[j] = sums[j];
  for (int t = 0; t < rowCount; ++t) {
    const double xt = x[t];
    const double* row = rows + static_cast<std::size_t>(t) * W;
    for (int j = 0; j < W; ++j) acc[j] = acc[j] + row[j] * xt;
  }
  for (int j = 0; j < W; ++j) sums[j] = acc[j];
}

using RowsFn = void (*)(double*, const double*, const double*, int);

template <int... Ws>
constexpr std::array<RowsFn, sizeof...(Ws)> makeTable(std::integer_sequence<int, Ws...>) {
  return {&fixedRows<Ws + 1>...};
}

void addRows(double* sums, const double* rows, const double* x, int rowCount, int width) {
  static constexpr auto kTable = makeTable(std::make_integer_sequence<int, 40>{});
  if (width >= 1 && width <= static_cast<int>(kTable.size())) {
    kTable[static_cast<std::size_t>(width - 1)](sums, rows, x, rowCount);
    return;
  }
  for (int t = 0; t < rowCount; ++t) {
    const double xt = x[t];
    const double* row = rows + static_cast<std::size_t>(t) * width;
    for (int j = 0; j < width; ++j) sums[j] = sums[j] + row[j] * xt;
  }
}

}  // namespace ebp::ROWS_KERNEL_NAMESPACE
