#pragma once

#include <QLocale>
#include <gtest/gtest.h>

// Typed numbers are read the Italian way in these tests ("2,5" is two and a half); the default
// locale is put back afterwards.
class ItalianLocale : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = QLocale();
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }
    void TearDown() override { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};
