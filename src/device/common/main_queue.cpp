#include "device/common/main_queue.h"

#include <glib.h>

#include <memory>

namespace device {
namespace {

gboolean runOnce(gpointer data) {
  (*static_cast<Work*>(data))();
  return G_SOURCE_REMOVE;
}

void dropWork(gpointer data) { delete static_cast<Work*>(data); }

void postToMainContext(Work work) {
  // An idle source at default priority: sources of one priority run in the
  // order they were attached, so work keeps its order.
  GSource* source = g_idle_source_new();
  g_source_set_priority(source, G_PRIORITY_DEFAULT);
  g_source_set_callback(source, &runOnce, new Work(std::move(work)), &dropWork);
  g_source_attach(source, nullptr);
  g_source_unref(source);
}

}  // namespace

Queue mainQueue() { return &postToMainContext; }

}  // namespace device
