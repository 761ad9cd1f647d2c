/* A stand-in OpenAL32.dll for the Windows package when OpenAL Soft's sources
 * cannot be fetched: it has no device, so the game runs as it does on a
 * computer without a sound card. Only the calls the game makes are here. */
#define AL_API __declspec(dllexport)
#define ALC_API __declspec(dllexport)
#include <AL/al.h>
#include <AL/alc.h>

ALC_API ALCdevice* ALC_APIENTRY alcOpenDevice(const ALCchar* name) {
    (void)name;
    return 0;
}
ALC_API ALCboolean ALC_APIENTRY alcCloseDevice(ALCdevice* device) {
    (void)device;
    return ALC_FALSE;
}
ALC_API ALCcontext* ALC_APIENTRY alcCreateContext(ALCdevice* device, const ALCint* attributes) {
    (void)device, (void)attributes;
    return 0;
}
ALC_API void ALC_APIENTRY alcDestroyContext(ALCcontext* context) { (void)context; }
ALC_API ALCboolean ALC_APIENTRY alcMakeContextCurrent(ALCcontext* context) { return context == 0; }
ALC_API void* ALC_APIENTRY alcGetProcAddress(ALCdevice* device, const ALCchar* name) {
    (void)device, (void)name;
    return 0;
}

AL_API ALenum AL_APIENTRY alGetError(void) { return AL_INVALID_OPERATION; }
AL_API void* AL_APIENTRY alGetProcAddress(const ALchar* name) {
    (void)name;
    return 0;
}
AL_API void AL_APIENTRY alGenBuffers(ALsizei n, ALuint* buffers) { (void)n, (void)buffers; }
AL_API void AL_APIENTRY alDeleteBuffers(ALsizei n, const ALuint* buffers) { (void)n, (void)buffers; }
AL_API void AL_APIENTRY alBufferData(ALuint buffer, ALenum format, const ALvoid* data, ALsizei size, ALsizei rate) {
    (void)buffer, (void)format, (void)data, (void)size, (void)rate;
}
AL_API void AL_APIENTRY alGenSources(ALsizei n, ALuint* sources) { (void)n, (void)sources; }
AL_API void AL_APIENTRY alDeleteSources(ALsizei n, const ALuint* sources) { (void)n, (void)sources; }
AL_API void AL_APIENTRY alSourcei(ALuint source, ALenum param, ALint value) { (void)source, (void)param, (void)value; }
AL_API void AL_APIENTRY alSourcef(ALuint source, ALenum param, ALfloat value) {
    (void)source, (void)param, (void)value;
}
AL_API void AL_APIENTRY alGetSourcei(ALuint source, ALenum param, ALint* value) {
    (void)source, (void)param;
    if (value) *value = 0;
}
AL_API void AL_APIENTRY alSourcePlay(ALuint source) { (void)source; }
AL_API void AL_APIENTRY alSourceStop(ALuint source) { (void)source; }
AL_API void AL_APIENTRY alSourcePlayv(ALsizei n, const ALuint* sources) { (void)n, (void)sources; }
AL_API void AL_APIENTRY alSourceStopv(ALsizei n, const ALuint* sources) { (void)n, (void)sources; }
AL_API void AL_APIENTRY alSourceQueueBuffers(ALuint source, ALsizei n, const ALuint* buffers) {
    (void)source, (void)n, (void)buffers;
}
AL_API void AL_APIENTRY alSourceUnqueueBuffers(ALuint source, ALsizei n, ALuint* buffers) {
    (void)source, (void)n, (void)buffers;
}
