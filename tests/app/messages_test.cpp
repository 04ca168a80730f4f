#include "tests/support/recording_presenter.h"

#include <gtest/gtest.h>

TEST(Messages, CaptionsAreTheProgramsOwn)
{
    EXPECT_STREQ("ERROR", kErrorBoxCaption);
    EXPECT_STREQ("Message from Lexon 1.0", kInfoBoxCaption);
}

TEST(Messages, BoxesReachTheInstalledPresenterInOrderAndFatalStopIsNonZero)
{
    ScopedRecordingPresenter recorder;
    ShowErrorBox("Unable to open file mixto.dbf");
    ShowInfoBox(std::string("Index done"));
    ASSERT_EQ(2u, recorder->Messages().size());
    EXPECT_EQ("ERROR", recorder->Messages()[0].caption);
    EXPECT_EQ("Unable to open file mixto.dbf", recorder->Messages()[0].text);
    EXPECT_EQ("Message from Lexon 1.0", recorder->Messages()[1].caption);
    try {
        FatalStop();
        FAIL() << "FatalStop returned";
    } catch (const FatalStopped& stop) {
        EXPECT_NE(0, stop.exit_code);
    }
}

TEST(Messages, StderrPresenterIsRestoredAfterTheTest)
{
    {
        ScopedRecordingPresenter recorder;
        EXPECT_NE(nullptr, dynamic_cast<RecordingPresenter*>(&CurrentMessagePresenter()));
    }
    EXPECT_NE(nullptr, dynamic_cast<StderrMessagePresenter*>(&CurrentMessagePresenter()));
}
