// The texts the port listing reads: links-folder entry names and sysfs
// attribute files.
#include "SerialPortText.h"

#include <gtest/gtest.h>

#include <string>

TEST(SerialPortText, OnlyPlainComNamesArePorts) {
    EXPECT_EQ(PortNumberOf("COM1"), 1);
    EXPECT_EQ(PortNumberOf("COM96"), 96);
    EXPECT_EQ(PortNumberOf("COM2147483647"), 2147483647);
    for (const char* name :
         {"COM", "COM0", "COM01", "COM+1", "COM-1", "COM 1", "COM1 ", "com1", "COM1a", "COM2147483648", "XCOM1", ""})
        EXPECT_EQ(PortNumberOf(name), 0) << name;
    EXPECT_EQ(PortNumberOf(std::string("COM1\0", 5)), 0);
}

TEST(SerialPortText, AnAttributeIsItsFirstLineWithoutTrailingBlanks) {
    EXPECT_EQ(AttributeText("FTDI\n"), "FTDI");
    EXPECT_EQ(AttributeText("FT232R USB UART \r\nsecond\n"), "FT232R USB UART");
    EXPECT_EQ(AttributeText("  lead\tkept"), "  lead\tkept");
    EXPECT_EQ(AttributeText("\nlater"), "");
    EXPECT_EQ(AttributeText(" \r \r"), "");
    EXPECT_EQ(AttributeText(std::string("a\0b \n", 5)), std::string("a\0b", 3));
}

TEST(SerialPortText, TheTypeNamesAUartWhenItIsANumberOtherThanZero) {
    for (const char* text : {"4", " 4", "\t+4", "-1", "4 garbage", "99999999999999999999999"})
        EXPECT_TRUE(IsUartType(text)) << text;
    for (const char* text : {"", "0", " 0", "-0", "x4", "+", "--4", "+-4", " "})
        EXPECT_FALSE(IsUartType(text)) << text;
}
