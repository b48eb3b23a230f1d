// The postcode check: corrections, the two messages, and where they go.

#include <gtest/gtest.h>

#include <QObject>

#include "motor/getmotordsv.h"
#include "platform/prompt.h"
#include "platform/seams.h"

namespace {

const QString kDistrict =
    QStringLiteral("Invalid postcode district.\rPlease check the entered postcode.");
const QString kSector =
    QStringLiteral("Invalid postcode sector.\rPlease check the entered postcode.");

// Records the field errors instead of asking.
class PostcodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TPlatformSeams::Current().fieldError = [this](QObject* field, const QString& message,
                                                  bool refocus) {
      fields_.append(field);
      messages_.append(message);
      refocus_.append(refocus);
    };
  }

  // Answers the corrected text, or the message when the postcode is refused.
  QString Check(const QString& postcode) {
    QString text = postcode;
    int before = static_cast<int>(messages_.size());
    bool valid = ValidatePostcode(&field_, text);
    EXPECT_EQ(valid, messages_.size() == before) << postcode.toStdString();
    if (!valid) {
      EXPECT_EQ(text, postcode) << "a refused postcode is left as typed";
      return messages_.last();
    }
    return text;
  }

  QObject field_;
  const TPlatformSeamsGuard seams_;
  QList<QObject*> fields_;
  QStringList messages_;
  QList<bool> refocus_;
};

}  // namespace

TEST_F(PostcodeTest, AWellFormedPostcodeIsKeptAsItIs) {
  EXPECT_EQ(Check("AB1 2CD"), "AB1 2CD");
  EXPECT_EQ(Check("A1 2CD"), "A1 2CD");
  EXPECT_EQ(Check("AB12 3CD"), "AB12 3CD");
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(PostcodeTest, AnEmptyPostcodeIsValid) {
  EXPECT_EQ(Check(""), "");
}

TEST_F(PostcodeTest, AMissingSpaceIsPutBeforeTheSectorDigit) {
  EXPECT_EQ(Check("AB12CD"), "AB1 2CD");
  EXPECT_EQ(Check("AB123CD"), "AB12 3CD");
}

TEST_F(PostcodeTest, ExtraSpacesLeadingPunctuationAndTrailingCharactersGo) {
  EXPECT_EQ(Check("AB1   2CD"), "AB1 2CD");
  EXPECT_EQ(Check("AB1 2CD7"), "AB1 2CD");
  EXPECT_EQ(Check("AB1 2CD XYZ"), "AB1 2CD");
  EXPECT_EQ(Check("  -(AB1 2CD"), "AB1 2CD");
}

TEST_F(PostcodeTest, BadDistrictsAreRefused) {
  EXPECT_EQ(Check("A1B 2CD"), kDistrict);    // no space after the district digits
  EXPECT_EQ(Check("ABC1 2CD"), kDistrict);   // three letters
  EXPECT_EQ(Check("1AB 2CD"), kDistrict);    // no letter
  EXPECT_EQ(Check("AB 2CD"), kDistrict);     // no digit
  EXPECT_EQ(Check("AB123 4CD"), kDistrict);  // three digits
  EXPECT_EQ(Check("AB1"), kDistrict);        // nothing after the district
  EXPECT_EQ(Check("ab1 2cd"), kDistrict);    // letters are upper case
}

TEST_F(PostcodeTest, BadSectorsAreRefused) {
  EXPECT_EQ(Check("AB1 22D"), kSector);
  EXPECT_EQ(Check("AB1 2CDE"), kSector);
  EXPECT_EQ(Check("AB1 2C"), kSector);
  EXPECT_EQ(Check("AB1 CD"), kSector);
  EXPECT_EQ(Check("AB1 "), kSector);
}

TEST_F(PostcodeTest, ATextWithNothingButPunctuationIsAnInvalidDistrict) {
  EXPECT_EQ(Check("-"), kDistrict);
  EXPECT_EQ(Check("  "), kDistrict);
}

TEST_F(PostcodeTest, TheMessageGoesToTheFieldWithoutAskingTheFocusBack) {
  // A warning as the field is left: the user moves on, the value is stored either way.
  Check("AB1 22D");
  ASSERT_EQ(fields_.size(), 1);
  EXPECT_EQ(fields_[0], &field_);
  EXPECT_FALSE(refocus_[0]);
}
