// The Linux checker has no speech font path of its own yet: it estimates.
#include "authoring/speech_measure.h"

const SpeechMeasure& platformSpeechMeasure() { return estimatedSpeechMeasure(); }
