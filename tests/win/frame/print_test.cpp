// File > Print onto the system's PDF print queue (CUPS under Wine), the page
// written to a file and rendered by Ghostscript: the four months in their
// class colours and the legend below them, on a portrait and on a landscape
// page; and a printer that refuses the document.

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "resources/resource.h"
#include "settings/options_manager.h"
#include "ui/calendar/day_cell_look.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/frame/calendar_printer_win32.h"
#include "ui/frame/print_layout.h"
#include "win/frame/frame_fixture.h"
#include "win/support/unix_process_win32.h"

namespace frametest {
namespace {

std::wstring DefaultPrinter() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return {};
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size)) return {};
  name.resize(size > 0 ? size - 1 : 0);
  return name;
}

// A context of the default printer with the page turned as asked.
HDC PrinterDC(short orientation) {
  std::wstring name = DefaultPrinter();
  HANDLE printer = nullptr;
  if (name.empty() || !OpenPrinterW(name.data(), &printer, nullptr)) return nullptr;
  const LONG size = DocumentPropertiesW(nullptr, printer, name.data(), nullptr, nullptr, 0);
  std::vector<BYTE> buffer(static_cast<size_t>(std::max(size, LONG{0})) + 512);
  auto* mode = reinterpret_cast<DEVMODEW*>(buffer.data());
  HDC dc = nullptr;
  if (size > 0 && DocumentPropertiesW(nullptr, printer, name.data(), mode, nullptr, DM_OUT_BUFFER) == IDOK) {
    mode->dmOrientation = orientation;
    mode->dmFields |= DM_ORIENTATION;
    DocumentPropertiesW(nullptr, printer, name.data(), mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER);
    dc = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, mode);
  }
  ClosePrinter(printer);
  return dc;
}

// A rendered page: 8-bit RGB rows.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;

  [[nodiscard]] COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return RGB(rgb[i], rgb[i + 1], rgb[i + 2]);
  }
  // Turned a quarter clockwise.
  [[nodiscard]] Picture TurnedClockwise() const {
    Picture t{height, width, std::vector<uint8_t>(rgb.size())};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const size_t from = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
        const int tx = height - 1 - y;
        const int ty = x;
        const size_t to = (static_cast<size_t>(ty) * static_cast<size_t>(t.width) + static_cast<size_t>(tx)) * 3;
        std::copy_n(rgb.begin() + static_cast<long>(from), 3, t.rgb.begin() + static_cast<long>(to));
      }
    }
    return t;
  }
};

// The next number of a PPM header, past blanks and "#" comment lines.
int PpmNumber(std::istream& in) {
  while (in) {
    const int c = in.peek();
    if (c == '#') {
      std::string comment;
      std::getline(in, comment);
    } else if (std::isspace(c)) {
      in.get();
    } else {
      break;
    }
  }
  int n = -1;
  in >> n;
  return n;
}

// A binary PPM as Ghostscript writes it.
std::optional<Picture> ReadPpm(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  Picture p;
  in >> magic;
  p.width = PpmNumber(in);
  p.height = PpmNumber(in);
  const int maxValue = PpmNumber(in);
  if (!in || magic != "P6" || maxValue != 255 || p.width <= 0 || p.height <= 0) return std::nullopt;
  in.get();
  p.rgb.resize(static_cast<size_t>(p.width) * static_cast<size_t>(p.height) * 3);
  in.read(reinterpret_cast<char*>(p.rgb.data()), static_cast<std::streamsize>(p.rgb.size()));
  if (!in) return std::nullopt;
  return p;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 24) {
  return a != CLR_INVALID && std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
  std::ostringstream s;
  s << "(" << int(GetRValue(c)) << "," << int(GetGValue(c)) << "," << int(GetBValue(c)) << ")";
  return s.str();
}

class PrintTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    if (DefaultPrinter().empty()) GTEST_SKIP() << "no printer: start cupsd and add a queue first";
    // Six colours no theme uses, so every one is found where it belongs.
    options_.colors = {RGB(220, 0, 0), RGB(0, 150, 0), RGB(0, 0, 220),
                       RGB(230, 140, 0), RGB(140, 0, 170), RGB(0, 170, 170)};
    // Two recorded cycles before the shown months and the current one.
    for (const PackedDate d : {PackedDate{6, 4, 2024}, PackedDate{4, 5, 2024}, PackedDate{2, 6, 2024}}) {
      ASSERT_EQ(model_->SetStart(d), SaveResult::kDone);
    }
  }

  // Prints through the frame's command into a PostScript file and renders it
  // at the printer's resolution; the page as the printer described it.
  std::optional<Picture> PrintAndRender(short orientation, PrintPage& page) {
    const std::filesystem::path ps = dir_ / (orientation == DMORIENT_PORTRAIT ? "portrait.ps" : "landscape.ps");
    adjustContext_ = [&](FrameContext& context) {
      context.choosePrinter = [&, ps](HWND owner) {
        owners_.push_back(owner);
        const HDC dc = PrinterDC(orientation);
        if (dc) page = CalendarPrinter::PageOf(dc);
        return CalendarPrinter::Choice{dc, ps.wstring()};
      };
    };
    OpenFrame();
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_PRINTALL, 0), 0);
    EXPECT_TRUE(boxes_.empty()) << (boxes_.empty() ? L"" : boxes_[0].text).size();
    if (!WaitUntil([&] { return std::filesystem::exists(ps) && std::filesystem::file_size(ps) > 0; }, 10000)) {
      ADD_FAILURE() << "nothing printed";
      return std::nullopt;
    }
    const std::filesystem::path ppm = dir_ / "page.ppm";
    const std::filesystem::path done = dir_ / "rendered";
    std::filesystem::remove(ppm);
    std::filesystem::remove(done);
    const std::string script = "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r" + std::to_string(page.dpiX) +
                               "x" + std::to_string(page.dpiY) + " -sOutputFile='" + testsupport::UnixPath(ppm) +
                               "' '" + testsupport::UnixPath(ps) + "' >/dev/null 2>&1; touch '" +
                               testsupport::UnixPath(done) + "'";
    if (!testsupport::RunHostShell(script) || !WaitUntil([&] { return std::filesystem::exists(done); }, 60000)) {
      ADD_FAILURE() << "Ghostscript did not run";
      return std::nullopt;
    }
    auto picture = ReadPpm(ppm);
    if (!picture) return std::nullopt;
    // For people: TAMAREL_SHOT_DIR keeps the rendered pages.
    if (const wchar_t* keep = _wgetenv(L"TAMAREL_SHOT_DIR")) {
      std::error_code ec;
      std::filesystem::copy_file(ppm, std::filesystem::path(keep) / ps.filename().replace_extension(".ppm"),
                                 std::filesystem::copy_options::overwrite_existing, ec);
    }
    // A landscape page comes out of the renderer upright on portrait paper.
    const bool landscapeContent = page.width > page.height;
    if (landscapeContent != (picture->width > picture->height)) picture = picture->TurnedClockwise();
    return picture;
  }

  // Device units to rendered pixels: the printable area starts at the
  // physical offsets.
  static COLORREF PageAt(const Picture& picture, const PrintPage& page, int x, int y) {
    return picture.At(x + page.offsetX, y + page.offsetY);
  }

  void ExpectPage(const Picture& picture, const PrintPage& page) {
    const PrintLayout layout = LayOutPrintPage(page);
    // The legend: every square in its class colour, the "S" square white.
    for (size_t k = 0; k < 6; ++k) {
      const Rect& sq = layout.entries[k].square;
      const COLORREF found = PageAt(picture, page, (sq.left + sq.right) / 2, (sq.top + sq.bottom) / 2);
      EXPECT_TRUE(Near(found, static_cast<COLORREF>(options_.colors[k]))) << "legend entry " << k << " " << Hex(found);
    }
    const int edge = std::max(1, page.dpiX / 100);
    // The marks as the days print them: the heart fills its square, the pill
    // sits in the next column.
    const COLORREF heart = PageAt(picture, page, HeartX(layout.sexSquare), HeartY(layout.sexSquare));
    EXPECT_TRUE(Near(heart, kHeartRed)) << Hex(heart);
    const Rect& pill = layout.pillSquare;
    const COLORREF pillBlue = PageAt(picture, page, pill.left + pill.Width() * 6 / 10, pill.top + pill.Height() * 3 / 10);
    EXPECT_TRUE(Near(pillBlue, RGB(0x5a, 0x96, 0xf5))) << Hex(pillBlue);
    // Every square has a black edge: white low fertility still shows on white
    // paper.
    const Rect& low = layout.entries[4].square;
    const COLORREF rim = PageAt(picture, page, low.left + edge / 2, (low.top + low.bottom) / 2);
    EXPECT_TRUE(Near(rim, RGB(0, 0, 0))) << Hex(rim);

    // The calendar: a cell of each class colour the shown months have, in
    // that colour where the view lays it out on the page.
    AFCYearObj shown = frame_->Calendar()->Year();
    shown.SetBounds(layout.calendarBounds);
    shown.LayoutMonths();
    std::set<COLORREF> checked;
    for (const MonthLayout& month : shown.Months()) {
      for (const DayCell& cell : month.days) {
        const DayCellLook look = DecideDayCellLook(model_->GetDayClass(cell.Date()), model_->GetCachedDay(cell.Date()),
                                                   options_, cell.rect.Width(), false);
        if (!look.fill || checked.count(static_cast<COLORREF>(*look.fill))) continue;
        checked.insert(static_cast<COLORREF>(*look.fill));
        // Low in the middle of the cell: clear of the number and the marks.
        const COLORREF found = PageAt(picture, page, (cell.rect.left + cell.rect.right) / 2,
                                      cell.rect.top + cell.rect.Height() * 3 / 4);
        EXPECT_TRUE(Near(found, static_cast<COLORREF>(*look.fill)))
            << FormatDate(cell.Date()) << " " << Hex(found) << " expected " << Hex(static_cast<COLORREF>(*look.fill));
      }
    }
    EXPECT_GE(checked.size(), 4u) << "flow, prognosis, fertile and ovulation at least";
    // Below the legend the page is blank.
    const int below = layout.sexSquare.bottom + (layout.sexSquare.bottom - layout.entries[4].square.bottom);
    if (below < page.height) EXPECT_TRUE(Near(PageAt(picture, page, page.width / 2, below), RGB(255, 255, 255)));
  }

  // The heart's picture is 15 pixels square; its pixel (6, 9) is this red.
  static constexpr COLORREF kHeartRed = RGB(0xe6, 0x32, 0x4b);
  static int HeartX(const Rect& heart) { return heart.left + heart.Width() * 13 / 30; }
  static int HeartY(const Rect& heart) { return heart.top + heart.Height() * 19 / 30; }

  std::vector<HWND> owners_;
};

TEST_F(PrintTest, APortraitPageHasTheMonthsAsTallAsThePageIsWideAndTheLegendBelow) {
  PrintPage page;
  const auto picture = PrintAndRender(DMORIENT_PORTRAIT, page);
  ASSERT_TRUE(picture);
  ASSERT_LT(page.width, page.height);
  ExpectPage(*picture, page);
  EXPECT_EQ(owners_, std::vector<HWND>{frame_->Hwnd()});
}

TEST_F(PrintTest, ALandscapePageGivesTheMonths70PercentOfItsHeightAndTheLegendBelow) {
  PrintPage page;
  const auto picture = PrintAndRender(DMORIENT_LANDSCAPE, page);
  ASSERT_TRUE(picture);
  ASSERT_GT(page.width, page.height);
  ExpectPage(*picture, page);
}

// A day with intercourse prints its heart grown with the printed cell, as a
// quarter of the cell's width, where the legend's heart says what it is; the
// day numbers keep clear of the cell borders on both pages.
TEST_F(PrintTest, HeartsGrowWithThePrintedCellAndNumbersKeepClearOfTheBorders) {
  const PackedDate loved = AddDays(kToday, 3);
  ASSERT_EQ(model_->StoreDay(Day(loved, false, false, true, false, false, false, 0.0)), SaveResult::kDone);
  for (const short orientation : {DMORIENT_PORTRAIT, DMORIENT_LANDSCAPE}) {
    SCOPED_TRACE(orientation == DMORIENT_PORTRAIT ? "portrait" : "landscape");
    PrintPage page;
    const auto picture = PrintAndRender(orientation, page);
    ASSERT_TRUE(picture);
    const PrintLayout layout = LayOutPrintPage(page);
    AFCYearObj shown = frame_->Calendar()->Year();
    shown.SetBounds(layout.calendarBounds);
    shown.LayoutMonths();
    const DayCell* cell = nullptr;
    for (const MonthLayout& month : shown.Months()) {
      for (const DayCell& c : month.days) {
        if (c.Date() == loved) cell = &c;
      }
    }
    ASSERT_NE(cell, nullptr);
    const Rect& r = cell->rect;
    const int cw = r.Width();
    // The heart: from the cell's left edge, a twentieth of the cell down.
    const int side = 15 * cw / CalendarPainter::kPaperCellReference;
    const int top = r.top + 3 * cw / CalendarPainter::kPaperCellReference;
    const Rect heart{r.left, top, r.left + side, top + side};
    const COLORREF found = PageAt(*picture, page, HeartX(heart), HeartY(heart));
    EXPECT_TRUE(Near(found, kHeartRed)) << Hex(found) << " cell " << cw << " wide";

    // Between the number and the top and right borders: no ink of the number.
    const int margin = cw / 20;
    int ink = 0;
    for (int y = r.top + 2; y < r.top + margin - 1; ++y) {
      for (int x = r.left + cw / 2; x < r.right - 2; ++x) ink += Near(PageAt(*picture, page, x, y), RGB(0, 0, 0), 60);
    }
    for (int y = r.top + 2; y < r.top + r.Height() / 2; ++y) {
      for (int x = r.right - margin + 1; x < r.right - 2; ++x) ink += Near(PageAt(*picture, page, x, y), RGB(0, 0, 0), 60);
    }
    EXPECT_EQ(ink, 0) << "dark pixels between the number and the borders";
    std::filesystem::remove_all(dir_ / "landscape.ps");
    std::filesystem::remove_all(dir_ / "portrait.ps");
    frame_.reset();
  }
}

TEST_F(PrintTest, TheScreenShowsTheSameMonthsAfterPrinting) {
  PrintPage page;
  adjustContext_ = [&](FrameContext& context) {
    context.choosePrinter = [&](HWND) {
      const HDC dc = PrinterDC(DMORIENT_PORTRAIT);
      return CalendarPrinter::Choice{dc, (dir_ / "page.ps").wstring()};
    };
  };
  OpenFrame();
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_NAVIGATE_NEXT, 0), 0);
  const AFCYearObj before = frame_->Calendar()->Year();
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_PRINTALL, 0), 0);
  const AFCYearObj& after = frame_->Calendar()->Year();
  EXPECT_EQ(after.Year(), before.Year());
  EXPECT_EQ(after.FirstMonthIndex(), before.FirstMonthIndex());
  EXPECT_EQ(after.Bounds(), before.Bounds());
  ASSERT_EQ(after.Months().size(), before.Months().size());
  for (size_t i = 0; i < after.Months().size(); ++i) EXPECT_EQ(after.Months()[i].bounds, before.Months()[i].bounds);
}

TEST_F(PrintTest, TheSystemPrintDialogIsOwnedByTheFrameAndItsCancelPrintsNothing) {
  OpenFrame();  // no chooser of the test's own: the system's print dialog
  HWND owner = nullptr;
  DialogDriver driver([&](HWND dialog) {
    owner = GetWindow(dialog, GW_OWNER);
    DialogDriver::Click(dialog, IDCANCEL);
  });
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_PRINTALL, 0), 0);
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(owner, frame_->Hwnd());
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PrintTest, CancellingPrintsNothingAndAFailedDocumentIsToldAndReleasesThePrinter) {
  int asked = 0;
  HDC given = nullptr;
  bool cancel = true;
  adjustContext_ = [&](FrameContext& context) {
    context.choosePrinter = [&](HWND) {
      ++asked;
      if (cancel) return CalendarPrinter::Choice{};
      given = PrinterDC(DMORIENT_PORTRAIT);
      // A folder that does not exist: the document cannot start.
      return CalendarPrinter::Choice{given, (dir_ / "missing" / "page.ps").wstring()};
    };
  };
  OpenFrame();
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_PRINTALL, 0), 0);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(boxes_.empty());

  cancel = false;
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_PRINTALL, 0), 0);
  ASSERT_NE(given, nullptr);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"The calendar could not be printed.");
  EXPECT_EQ(boxes_[0].caption, L"Error");
  EXPECT_EQ(GetObjectType(given), 0u) << "the printer context is released";
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing"));
}

}  // namespace
}  // namespace frametest
