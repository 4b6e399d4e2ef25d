[Scene Heading]
<A>INT. HOUSE - DAY
[Action]
<a>#
<A>She waits.
[Dialogue]
<E(V.O.)
<C>JOHN
<P>quietly
<D>Hello there.
<C>john
<D>Again.
[Notes]
<A>dropped

[Act]
[Scene Number]
[Cast List]
<A>JOHN (a man)
