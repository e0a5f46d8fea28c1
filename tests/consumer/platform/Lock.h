// The parent's own header of a name Brennick's sources use privately: it must never reach them.
#error "a parent's platform/Lock.h reached a Brennick source"
