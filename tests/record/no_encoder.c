/* Loaded ahead of libavcodec, this makes an FFmpeg that has no encoders, to see
 * how velqor-record refuses to write a video that it cannot encode. */
#include <stddef.h>

const void *avcodec_find_encoder_by_name(const char *name) {
  (void)name;
  return NULL;
}
