// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, d, x, y);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   input d;
   output x;
   output y;

   assign x = (((c))?a:1'b0)|
   (((d))?b:1'b0);

   assign y = (((~(c)))?b:1'b0)|
   (((d))?a:1'b0)|
   (((~(d)))?b:1'b0);
endmodule
