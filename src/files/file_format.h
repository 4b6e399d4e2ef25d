// The load and save format codes of file jobs, and recognising the format
// of a file from its first bytes.
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {

// What a file to be read holds (the progress dialog's LoadFormatCode).
enum TLoadFormat : Byte {
  lfNativeWindows = 0,
  lfNativeDos = 1,
  lfOlderNative = 2,
  lfPlainText = 3,
  lfRtf = 6,
  lfTaggedText = 7,
  lfUnknown = 8,
  lfMovieMaster = 9,
  lfPasswordNative = 10,
  lfStrippedText = 15,
  lfWordStar = 17,
  lfWordStarUnsupported = 18,
  lfStoryDev = 19,
  lfMissing = 21,
};

// What a save or export writes (the progress dialog's FileFormatCode).
enum TSaveFormat : Byte {
  sfNativeWindows = 0,
  sfNativeDos = 1,
  sfOlderNative = 2,
  sfFormattedAscii = 3,
  sfWordPerfect = 4,
  sfWordPerfectStyles = 5,
  sfRtfWindows = 6,
  sfTaggedText = 7,
  sfWordDos = 11,
  sfWordWindows = 12,
  sfRtfMacintosh = 13,
  sfWordWindows6 = 14,
  sfFinalDraftRtf = 16,
  sfConverterFile = 20,
};

// The format of a file from its first bytes: the native script variants (a
// Windows script with a password is lfPasswordNative), RTF, tagged text,
// story exchange data, WordStar (a newer WordStar is refused, with a
// message), lfMissing for a file that is missing or cannot be read. Plain
// text is what the bytes cannot tell: it is the result only when the hint
// (the format the writer chose) is plain text and nothing else matched.
// lfUnknown otherwise, for text too and for bytes that are not of the
// format the hint names.
Byte DetectFileFormat(const std::string& fileName, Byte hint);

// Why a file cannot be read, worded to end a message ("it is a folder");
// empty when it can be read.
std::string WhyNotReadable(const std::string& fileName);
// Why a file that can be read is not one the program reads.
std::string WhyNotRecognised(const std::string& fileName);

}  // namespace qm
