// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

`line 1 "top.sfl" 0
module top(m_clock, p_reset, a, o);
`line 1 "top.sfl" 0
   input m_clock;
`line 1 "top.sfl" 0
   input p_reset;
   input a;
`line 4 "top.sfl" 0
   output o;
`line 3 "inc.sfl" 0
   wire t;

`line 6 "top.sfl" 0
   assign o = t;

`line 4 "inc.sfl" 0
   assign t = (~a);
`line 7 "top.sfl" 0
endmodule
