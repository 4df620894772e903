#pragma once

#include <QObject>
#include <QTest>

// What every test shares, widgets or not; korindo_coretestsupport, which the
// tests of the widget-free core link.

// Makes every Qt warning in the running test function a failure, except the
// offscreen platform's notes on what it cannot do. Call it from init().
void failOnUnexpectedWarnings();

// The base of a test class: a Qt warning the test does not expect fails the
// test function. A class with an init() of its own calls
// failOnUnexpectedWarnings() there.
class TestCase : public QObject {
    Q_OBJECT
protected slots:
    void init() { failOnUnexpectedWarnings(); }
};
