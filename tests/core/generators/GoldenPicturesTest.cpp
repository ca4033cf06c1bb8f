// Every generator's default picture, hashed: a change of the numbers anywhere
// between the parameters and the colours shows here, on one thread or many.

#include <gtest/gtest.h>

#include <cstdint>
#include <iomanip>
#include <map>
#include <sstream>
#include <string>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PictureRendering.h"
#include "core/engine/RowParallel.h"
#include "core/panes/GeneratorCatalogue.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

// FNV-1a over the 16-bit components, low byte first.
std::uint64_t hashOf(RgbImage16 const& image) {
  std::uint64_t hash = 14695981039346656037ull;
  auto const mix = [&hash](std::uint8_t byte) {
    hash ^= byte;
    hash *= 1099511628211ull;
  };
  for (std::uint16_t c : image.rgb) {
    mix(static_cast<std::uint8_t>(c & 0xFF));
    mix(static_cast<std::uint8_t>(c >> 8));
  }
  return hash;
}

std::string hex(std::uint64_t value) {
  std::ostringstream os;
  os << "0x" << std::hex << std::setw(16) << std::setfill('0') << value << "ull";
  return os.str();
}

// Taken from pictures that were looked at; a new generator adds its line once
// its default picture is right.
std::map<std::string, std::uint64_t> const kGoldenHashes = {
    {"EscParams", 0x022bc28c715e3e81ull},
    {"Mandal", 0xc55bf01e4f30764eull},
    {"ItSines", 0x92e5c43e285c3ae2ull},
    {"Quot", 0x817056f991a36184ull},
    {"Perlin", 0x8bbe5ad48781030dull},
    {"Halley", 0x556457e3c25c166full},
    {"Biomorph", 0xecf56ccc5627db36ull},
    {"DynFractal", 0xd22310d7022e56e4ull},
    {"GumFractal", 0x6a88a017e692b2f5ull},
    {"DynSys-Sqrt", 0x548ead6901d8f4adull},
    {"DynSys-SinCos", 0x301eb18da7553327ull},
    {"DynSys-SinSin", 0xfa4b19289ca8dcd5ull},
    {"DynSys-Sin23", 0x5884d28c72b2dd88ull},
    {"DynSys-SinXY", 0x5b70ac90668431a2ull},
    {"DynSys-Hopalong", 0x2322963c5d578a6full},
    {"DynSys-Gumowski", 0xcd09560463f4d141ull},
    {"PhasePlane-xsin", 0xb0f05040815ed832ull},
    {"PhasePlane-sinprod", 0x99f120600a26529bull},
    {"PhasePlane-tan", 0x81a49789d8d2456full},
    {"Grid", 0xa677f33069bd110dull},
    {"Curves", 0x44712ccfadc79777ull},
};

std::uint64_t renderDefault(std::string const& generator, unsigned threads) {
  setThreadCount(threads);
  auto const snapshot = ParameterPaneFactory::makeNewParameterPane(generator)->getDefaultSnapshot();
  NullComputationNotifier notifier;
  auto const picture = renderSnapshot(snapshot, 64, 48, false, notifier);
  return picture ? hashOf(picture->image) : 0;
}

TEST(GoldenPicturesTest, DefaultPicturesKeepTheirNumbers) {
  registerCoreFamilies();
  unsigned const cores = threadCount();
  int drawn = 0;
  for (std::string const& generator : GeneratorCatalogue::getNames()) {
    if (!ParameterPaneFactory::isRegistered(generator)) continue;
    ++drawn;
    std::uint64_t const one = renderDefault(generator, 1);
    EXPECT_EQ(renderDefault(generator, 4), one) << generator << ": threads changed the picture";
    auto const golden = kGoldenHashes.find(generator);
    if (golden == kGoldenHashes.end()) {
      ADD_FAILURE() << "no golden hash for '" << generator << "': once its default picture looks right, add {\""
                    << generator << "\", " << hex(one) << "} to kGoldenHashes";
      continue;
    }
    EXPECT_EQ(one, golden->second) << generator << " now draws " << hex(one);
  }
  setThreadCount(cores);
  EXPECT_GE(drawn, 1);
}

}  // namespace
}  // namespace orlenza
