// Throughput of the marker cut and the byte search on a 1 MB GBK page, each against
// std::string_view::find doing the same work on the same text in the same run. A ratio is the
// floor's time divided by the helper's time: 1.0 means as fast as find, the target is >= 0.5.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "pages/TextHelpers.h"
#include "platform/Gbk.h"

namespace {

constexpr size_t kPageSize = 1 << 20;

// A rendered result page: Chinese sentences (sharing many lead bytes with the markers), ASCII
// addresses and numbers, line breaks; the wanted stretches sit at the very end, so every search
// runs over the whole megabyte.
std::string MakePage() {
  const std::vector<std::string> pieces = {
      tandor::gbk("百度一下，你就知道。"),
      tandor::gbk("网页快照 - 类似结果"),
      tandor::gbk("中文排名第一的搜索引擎，全球最大的中文网站。"),
      tandor::gbk("相关搜索：百度收录 站长工具 网站排名 关键字查询"),
      tandor::gbk("共找到约一百篇相关文章，用时很短。"),
      " http://www.example.com/news/2008/05/01/index.html ",
      " 12K 2008-5-1 ",
      "\r\n",
      tandor::gbk("【推广】"),
      "Date: 2008-05-01 ",
  };
  std::mt19937 random(20080501);
  std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
  std::string page;
  page.reserve(kPageSize + 256);
  const std::string tail =
      tandor::gbk("把百度设为主页百度一下，找到相关网页约12,300篇，用时0.001秒") +
      "\r\nCreation Date: 15-jan-2003\r\nExpiration Date: 15-jan-2010\r\n";
  while (page.size() + tail.size() < kPageSize) page += pieces[pick(random)];
  page += tail;
  return page;
}

std::string FloorCut(std::string_view text, std::string_view start, std::string_view end) {
  const size_t s = text.find(start);
  const size_t e = text.find(end);
  if (s == std::string_view::npos || e == std::string_view::npos) return {};
  const size_t from = s + start.size();
  if (e <= from) return {};
  return std::string(text.substr(from, e - from));
}

// Best time of several rounds, floor and subject interleaved so that both see the same machine.
double BestSeconds(const std::function<void()>& work, int iterations) {
  const auto begin = std::chrono::steady_clock::now();
  for (int i = 0; i < iterations; ++i) work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
         iterations;
}

struct Comparison {
  const char* name;
  std::function<void()> floor;
  std::function<void()> subject;
};

}  // namespace

int main() {
  const std::string page = MakePage();
  const std::string_view text = page;
  const std::string baiduStart = tandor::gbk("把百度设为主页百度一下，找到相关网页");
  const std::string baiduEnd = tandor::gbk("篇，用时");
  const std::string whoisStart = "Creation Date: ";
  const std::string whoisEnd = "Expiration Date:";

  if (tandor::CopyBetweenMarkers(text, baiduStart, baiduEnd) !=
          FloorCut(text, baiduStart, baiduEnd) ||
      tandor::CopyBetweenMarkers(text, whoisStart, whoisEnd) !=
          FloorCut(text, whoisStart, whoisEnd) ||
      tandor::ByteSearch(text, baiduStart) != text.find(baiduStart) + 1) {
    std::fprintf(stderr, "helpers and floor disagree on the benchmark page\n");
    return 1;
  }

  const std::vector<Comparison> comparisons = {
      {"CopyBetweenMarkers, Chinese markers",
       [&] { benchmark::DoNotOptimize(FloorCut(text, baiduStart, baiduEnd)); },
       [&] { benchmark::DoNotOptimize(tandor::CopyBetweenMarkers(text, baiduStart, baiduEnd)); }},
      {"CopyBetweenMarkers, ASCII markers",
       [&] { benchmark::DoNotOptimize(FloorCut(text, whoisStart, whoisEnd)); },
       [&] { benchmark::DoNotOptimize(tandor::CopyBetweenMarkers(text, whoisStart, whoisEnd)); }},
      {"ByteSearch, Chinese marker", [&] { benchmark::DoNotOptimize(text.find(baiduStart)); },
       [&] { benchmark::DoNotOptimize(tandor::ByteSearch(text, baiduStart)); }},
      {"ByteSearch, ASCII marker", [&] { benchmark::DoNotOptimize(text.find(whoisStart)); },
       [&] { benchmark::DoNotOptimize(tandor::ByteSearch(text, whoisStart)); }},
  };

  constexpr int kRounds = 15;
  constexpr int kIterations = 40;
  double lowest = 1e9;
  std::printf("page: %zu bytes\n", page.size());
  for (const Comparison& c : comparisons) {
    double floorBest = 1e9;
    double subjectBest = 1e9;
    for (int round = 0; round < kRounds; ++round) {
      floorBest = std::min(floorBest, BestSeconds(c.floor, kIterations));
      subjectBest = std::min(subjectBest, BestSeconds(c.subject, kIterations));
    }
    const double ratio = floorBest / subjectBest;
    lowest = std::min(lowest, ratio);
    std::printf("%-40s floor %8.1f MB/s  helper %8.1f MB/s  ratio %.2f\n", c.name,
                page.size() / floorBest / 1e6, page.size() / subjectBest / 1e6, ratio);
  }
  std::printf("lowest ratio %.2f (target >= 0.50)\n", lowest);
  return 0;
}
