#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/loader/ListenerRegistry.h"

namespace sim::loader {
namespace {

std::vector<std::string> theCalls;
ListenerRegistry* theRegistry = nullptr;

void Record(const char* who, orbx::Message* message) {
    theCalls.push_back(std::string(who) + " " + message->sender + " " + std::to_string(message->type));
}

void First(orbx::Message* message) { Record("first", message); }
void Late(orbx::Message* message) { Record("late", message); }

// Registers another listener while a message is being delivered, as a
// plug-in may from its post-load handler; its registrations may move the
// registry's storage.
void Registering(orbx::Message* message) {
    Record("registering", message);
    for (int i = 0; i < 64; ++i) theRegistry->Add(9, "ORBX", Late);
}

// Writes into its message record, which the next listener must not see.
void Scribbling(orbx::Message* message) {
    Record("scribbling", message);
    message->type = 77;
    message->sender = "Elsewhere";
}

class ListenerRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        theCalls.clear();
        theRegistry = &registry;
    }
    void TearDown() override { theRegistry = nullptr; }
    ListenerRegistry registry;
};

TEST_F(ListenerRegistryTest, AMessage_ReachesTheSendersListenersInRegistrationOrder_EachWithItsOwnRecord) {
    registry.Add(1, "ORBX", Scribbling);
    registry.Add(2, "Elsewhere", First);
    registry.Add(2, "ORBX", First);

    registry.Deliver("ORBX", 1);

    EXPECT_EQ(theCalls, (std::vector<std::string>{"scribbling ORBX 1", "first ORBX 1"}));
}

TEST_F(ListenerRegistryTest, AListenerRegisteredDuringDelivery_GetsOnlyLaterMessages) {
    registry.Add(1, "ORBX", Registering);
    registry.Add(2, "ORBX", First);

    registry.Deliver("ORBX", 0);
    ASSERT_EQ(theCalls, (std::vector<std::string>{"registering ORBX 0", "first ORBX 0"}));

    registry.RemovePlugin(1);
    theCalls.clear();
    registry.Deliver("ORBX", 1);
    EXPECT_EQ(theCalls.size(), 65u);
    EXPECT_EQ(theCalls.front(), "first ORBX 1");
    EXPECT_EQ(theCalls.back(), "late ORBX 1");
}

}  // namespace
}  // namespace sim::loader
